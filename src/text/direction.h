#pragma once

#include <QStringView>

#include <optional>

// Which way typed characters follow one another. The numbers are those of the radio group's items,
// of documents' "Alignement=" line and of layout files' size line.
enum class Direction { LeftToRight = 0, RightToLeft = 1 };

// 0 and 1 name a direction; any other number names none, and what that means is the reader's to say.
inline std::optional<Direction> directionFromNumber(int number)
{
    if (number == 0 || number == 1)
        return Direction(number);
    return std::nullopt;
}

// The number as a file holds it; blanks around it do not count.
inline std::optional<Direction> directionFromText(QStringView text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? directionFromNumber(number) : std::nullopt;
}

inline int directionIndex(Direction direction)
{
    return direction == Direction::RightToLeft ? 1 : 0;
}

// How a character reaches the text: as a key types it, in the input direction, or put in place as the
// character lists' double-click does, whatever the direction.
enum class Insertion { FollowDirection, InPlace };
