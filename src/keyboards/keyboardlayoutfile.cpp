#include "keyboards/keyboardlayoutfile.h"

#include "shared/filenames.h"
#include "text/textfile.h"
#include "text/textsize.h"

#include <QStringList>

namespace KeyboardLayoutFile {

namespace {

std::optional<int> strictInteger(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// Line 2 sets the size, and the direction when it names one; a part that does not convert makes
// the size 12. A direction digit other than 0 and 1 leaves the direction as it is.
void parseSizeLine(const QString &line, Layout &layout)
{
    const int separator = line.indexOf(QLatin1Char(';'));
    const QString sizeText = separator >= 0 ? line.left(separator) : line;
    std::optional<int> direction;
    bool converted = true;
    if (separator >= 0) {
        const QString digit = line.mid(separator + 1, 1);
        direction = strictInteger(digit);
        converted = direction.has_value();
        if (direction && *direction != 0 && *direction != 1)
            direction.reset();
    }
    layout.direction = direction;
    const std::optional<int> size = strictInteger(sizeText);
    layout.textSize = size && converted ? TextSize::bounded(*size) : TextSize::Fallback;
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
