#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

// The sizes the text takes, in points: what the size box offers, and what layout files, documents and
// the settings are held to when they are read.
namespace TextSize {

constexpr int Smallest = 6;
constexpr int Largest = 72;
// What a layout or a document gets when its size does not read as a number.
constexpr int Fallback = 12;

constexpr bool isValid(int points)
{
    return points >= Smallest && points <= Largest;
}

constexpr int bounded(int points)
{
    return qBound(Smallest, points, Largest);
}

// A size as a file holds it, brought within the bound; none when it is no whole number.
inline std::optional<int> fromText(QStringView text)
{
    bool ok = false;
    const int points = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(bounded(points)) : std::nullopt;
}

} // namespace TextSize
