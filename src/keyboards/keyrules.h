#pragma once

#include "text/textlook.h"

#include <QString>

#include <optional>
#include <variant>

// The rules of the keyboard page's case switch and key size arrows, and of `KeyboardModified`.
namespace KeyRules {

// What happens to the keys that a layout file records, besides a change of the text's look.
enum class LayoutEvent { KeyRemapped, KeySizeStepped, LoadFailed, Saved };

// `KeyboardModified` after an event: whether the keyboard now differs from what a layout file would
// give back, which the exit dialogue and "sauve..." ask. A look that a layout, a header or the start
// made is theirs, not a change of the user's; so is a load that failed.
bool keyboardModifiedAfter(bool modified, const std::variant<LayoutEvent, LookChange> &event);

// Only A-Z and a-z change case; an accented letter or a symbol put on a letter key stays as it is.
QString withCase(const QString &caption, bool upper);

// The key size one arrow step gives, or nothing when the step would leave 8 to 21.
std::optional<int> steppedKeySize(int size, bool up);

} // namespace KeyRules
