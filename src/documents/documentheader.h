#pragma once

#include "text/direction.h"

#include <QString>
#include <QStringList>

#include <optional>

// Tapoli's own documents: plain text with five header lines that record font, size and direction:
// "[TAPOLI]", "Police=<font>", "TaillePol=<size>", "Alignement=<0 or 1>", "[TXT]", then the text.
namespace DocumentHeader {

// A file is of Tapoli's own type when its extension, upper-cased, contains "TPO" (.tpo, .TPO, .xtpo).
bool isTapoliDocument(const QString &path);

struct Values
{
    QString fontName;
    QString size;
    QString direction;
};

QStringList withHeader(const QStringList &lines, const Values &values);

// The header's values, when the lines hold one: exactly four marker lines counted over the whole file
// ("[TXT]" exactly, and lines containing "Police=", "TaillePol=", "Alignement="), one being "[TXT]".
// Files written by earlier versions rely on this count, text lines included.
std::optional<Values> read(const QStringList &lines);
// The same for a whole text whose lines end in "\n".
std::optional<Values> read(const QString &text);

// Removes the lines up to and including "[TXT]" when the first line is "[TAPOLI]"; all of them when
// no "[TXT]" follows. Other text is left as it is.
QStringList stripped(const QStringList &lines);
QString stripped(QString text);

// Size and direction as a header gives them: a size within 6 to 72 (12 when it is not a number), and
// left to right unless the direction is 1.
int sizeFrom(const QString &text);
Direction directionFrom(const QString &text);

} // namespace DocumentHeader
