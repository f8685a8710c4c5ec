#pragma once

#include <QString>

#include <optional>

// Which buttons a command reaches is decided by their names, as keyboard files and handlers expect.
namespace ButtonFamilies {

// Keyboard keys and the all-characters buttons: they take the key font size.
bool takesKeySize(const QString &name);

// Those and the large-format buttons: they take the text font's typeface.
bool takesTextFont(const QString &name);

// The letter keys, the only ones the case switch touches.
bool isLetterKey(const QString &name);

// Only A-Z and a-z change case; an accented letter or a symbol put on a letter key stays as it is.
QString withCase(const QString &caption, bool upper);

// The key size one arrow step gives, or nothing when the step would leave 8 to 21.
std::optional<int> steppedKeySize(int referenceSize, bool up);

} // namespace ButtonFamilies
