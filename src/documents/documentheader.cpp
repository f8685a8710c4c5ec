#include "documents/documentheader.h"

#include "text/textsize.h"

#include <QFileInfo>

namespace DocumentHeader {

namespace {
const QString Start = QStringLiteral("[TAPOLI]");
const QString TextStart = QStringLiteral("[TXT]");
const QString FontKey = QStringLiteral("Police=");
const QString SizeKey = QStringLiteral("TaillePol=");
const QString DirectionKey = QStringLiteral("Alignement=");

QString afterFirstEquals(const QString &line)
{
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}
} // namespace

bool isTapoliDocument(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && name.mid(dot).toUpper().contains(QLatin1String("TPO"));
}

QStringList withHeader(const QStringList &lines, const Values &values)
{
    QStringList result;
    result.reserve(lines.size() + 5);
    result << Start << FontKey + values.fontName << SizeKey + values.size << DirectionKey + values.direction
           << TextStart;
    result << lines;
    return result;
}

std::optional<Values> read(const QString &text)
{
    // One walk from each "=" and each "[" rather than from every line: a long document holds few of them.
    const QString keys[3] = {FontKey, SizeKey, DirectionKey};
    qsizetype countedUpTo[3] = {-1, -1, -1};
    int count = 0;
    for (qsizetype equals = text.indexOf(QLatin1Char('=')); equals >= 0;
         equals = text.indexOf(QLatin1Char('='), equals + 1)) {
        for (int key = 0; key < 3; ++key) {
            const qsizetype start = equals + 1 - keys[key].size();
            if (start <= countedUpTo[key] || start < 0 || QStringView(text).mid(start, keys[key].size()) != keys[key])
                continue;
            // A line counts once for each key it holds, however often it holds it.
            const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), equals);
            countedUpTo[key] = lineEnd < 0 ? text.size() : lineEnd;
            if (++count > 4)
                return std::nullopt;
        }
    }
    qsizetype firstTextStart = -1;
    for (qsizetype bracket = text.indexOf(QLatin1Char('[')); bracket >= 0;
         bracket = text.indexOf(QLatin1Char('['), bracket + 1)) {
        const qsizetype end = bracket + TextStart.size();
        if ((bracket == 0 || text.at(bracket - 1) == QLatin1Char('\n'))
            && (end == text.size() || (end < text.size() && text.at(end) == QLatin1Char('\n')))
            && QStringView(text).mid(bracket, TextStart.size()) == TextStart) {
            if (firstTextStart < 0)
                firstTextStart = bracket;
            if (++count > 4)
                return std::nullopt;
        }
    }
    if (count != 4 || firstTextStart < 0)
        return std::nullopt;

    Values values;
    const QStringList head = text.left(firstTextStart).split(QLatin1Char('\n'));
    for (const QString &line : head) {
        if (line.contains(FontKey))
            values.fontName = afterFirstEquals(line);
        if (line.contains(SizeKey))
            values.size = afterFirstEquals(line);
        if (line.contains(DirectionKey))
            values.direction = afterFirstEquals(line);
    }
    return values;
}

std::optional<Values> read(const QStringList &lines)
{
    return read(lines.join(QLatin1Char('\n')));
}

QStringList stripped(const QStringList &lines)
{
    if (lines.isEmpty() || lines.first() != Start)
        return lines;
    const int textStart = int(lines.indexOf(TextStart));
    return textStart < 0 ? QStringList() : lines.mid(textStart + 1);
}

QString stripped(QString text)
{
    const auto isLineAt = [&text](qsizetype at, const QString &line) {
        const qsizetype end = at + line.size();
        return QStringView(text).mid(at, line.size()) == line
               && (end == text.size() || (end < text.size() && text.at(end) == QLatin1Char('\n')));
    };
    if (!isLineAt(0, Start))
        return text;
    for (qsizetype lineStart = Start.size() + 1; lineStart <= text.size();) {
        const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (isLineAt(lineStart, TextStart))
            // In place: a long text is not copied for the few lines it loses.
            return lineEnd < 0 ? QString() : text.remove(0, lineEnd + 1);
        if (lineEnd < 0)
            break;
        lineStart = lineEnd + 1;
    }
    return QString();
}

int sizeFrom(const QString &text)
{
    return TextSize::fromText(text).value_or(TextSize::Fallback);
}

Direction directionFrom(const QString &text)
{
    return directionFromText(text).value_or(Direction::LeftToRight);
}

} // namespace DocumentHeader
