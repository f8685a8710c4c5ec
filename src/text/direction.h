#pragma once

// Which way typed characters follow one another. The numbers are those of the radio group's items,
// of documents' "Alignement=" line and of layout files' size line.
enum class Direction { LeftToRight = 0, RightToLeft = 1 };

inline Direction directionFromIndex(int index)
{
    return index == 1 ? Direction::RightToLeft : Direction::LeftToRight;
}

inline int directionIndex(Direction direction)
{
    return direction == Direction::RightToLeft ? 1 : 0;
}

// How a character reaches the text: as a key types it, in the input direction, or put in place as the
// character lists' double-click does, whatever the direction.
enum class Insertion { FollowDirection, InPlace };
