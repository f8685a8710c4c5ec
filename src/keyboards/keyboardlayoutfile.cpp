#include "keyboards/keyboardlayoutfile.h"

#include "shared/filenames.h"
#include "text/textfile.h"
#include "text/textsize.h"

#include <QStringList>

namespace KeyboardLayoutFile {

namespace {

// Line 2 sets the size, and the direction when it names one; a part that does not convert makes
// the size 12. A direction digit other than 0 and 1 leaves the direction as it is.
void parseSizeLine(const QString &line, Layout &layout)
{
    const int separator = line.indexOf(QLatin1Char(';'));
    const QString sizeText = separator >= 0 ? line.left(separator) : line;
    bool converted = true;
    layout.direction.reset();
    if (separator >= 0) {
        const QStringView digit = QStringView(line).mid(separator + 1, 1);
        layout.direction = directionFromText(digit);
        // Any digit converts, even one that names no direction; anything else fails the whole line.
        converted = digit.size() == 1 && digit.front() >= u'0' && digit.front() <= u'9';
    }
    const std::optional<int> size = TextSize::fromText(sizeText);
    layout.textSize = size && converted ? *size : TextSize::Fallback;
}

} // namespace

Layout parse(const QByteArray &bytes)
{
    const QStringList lines = TextFile::decodeLines(bytes).lines;
    Layout layout;
    if (!lines.isEmpty()) {
        layout.fontName = lines.at(0);
        layout.textSize = TextSize::Fallback;
    }
    if (lines.size() > 1)
        parseSizeLine(lines.at(1), layout);
    for (int index = 2; index < lines.size(); ++index) {
        const QString &line = lines.at(index);
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0)
            layout.keys.append({line.left(equals), line.mid(equals + 1)});
    }
    return layout;
}

QByteArray write(const QString &fontName, const QString &sizeText, int direction, const QList<KeyCaption> &keys)
{
    QStringList lines;
    lines << fontName << sizeText + QLatin1Char(';') + QString::number(direction);
    for (const KeyCaption &key : keys)
        lines << key.name + QLatin1Char('=') + key.caption;
    return TextFile::encodeForSaving(lines).bytes;
}

QString proposedFileName(const QString &fontName, const QString &sizeText)
{
    return QStringLiteral("Clavier") + fontName + sizeText + QLatin1Char('.') + FileNames::LayoutExtension;
}

} // namespace KeyboardLayoutFile
