#include "documents/documentheader.h"

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

std::optional<Values> read(const QStringList &lines)
{
    int count = 0;
    bool hasTextStart = false;
    for (const QString &line : lines) {
        if (line == TextStart) {
            ++count;
            hasTextStart = true;
        }
        count += int(line.contains(FontKey)) + int(line.contains(SizeKey)) + int(line.contains(DirectionKey));
        if (count > 4)
            return std::nullopt;
    }
    if (count != 4 || !hasTextStart)
        return std::nullopt;

    Values values;
    for (const QString &line : lines) {
        if (line == TextStart)
            break;
        if (line.contains(FontKey))
            values.fontName = afterFirstEquals(line);
        if (line.contains(SizeKey))
            values.size = afterFirstEquals(line);
        if (line.contains(DirectionKey))
            values.direction = afterFirstEquals(line);
    }
    return values;
}

QStringList stripped(const QStringList &lines)
{
    if (lines.isEmpty() || lines.first() != Start)
        return lines;
    const int textStart = int(lines.indexOf(TextStart));
    return textStart < 0 ? QStringList() : lines.mid(textStart + 1);
}

int sizeFrom(const QString &text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    return ok ? qBound(6, size, 72) : 12;
}

int directionFrom(const QString &text)
{
    bool ok = false;
    const int direction = text.trimmed().toInt(&ok);
    return ok && direction == 1 ? 1 : 0;
}

} // namespace DocumentHeader
