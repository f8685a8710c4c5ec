#pragma once

#include <QString>

#include <optional>

// The rules of the keyboard page's case switch and key size arrows.
namespace KeyRules {

// Only A-Z and a-z change case; an accented letter or a symbol put on a letter key stays as it is.
QString withCase(const QString &caption, bool upper);

// The key size one arrow step gives, or nothing when the step would leave 8 to 21.
std::optional<int> steppedKeySize(int size, bool up);

} // namespace KeyRules
