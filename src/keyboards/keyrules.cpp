#include "keyboards/keyrules.h"

namespace KeyRules {

QString withCase(const QString &caption, bool upper)
{
    QString result = caption;
    for (QChar &character : result) {
        const char16_t code = character.unicode();
        if (upper && code >= u'a' && code <= u'z')
            character = QChar(code - u'a' + u'A');
        else if (!upper && code >= u'A' && code <= u'Z')
            character = QChar(code - u'A' + u'a');
    }
    return result;
}

std::optional<int> steppedKeySize(int size, bool up)
{
    if ((!up && size < 9) || (up && size > 20))
        return std::nullopt;
    return up ? size + 1 : size - 1;
}

bool keyboardModifiedAfter(bool modified, const std::variant<LayoutEvent, LookChange> &event)
{
    if (const auto *change = std::get_if<LookChange>(&event)) {
        if (change->cause != LookCause::User)
            return false;
        // The user's font and direction mark it; a size alone does not, though the layout records it too:
        // a size is chosen for a text more than for a keyboard.
        return modified || change->look.family || change->look.direction;
    }
    switch (std::get<LayoutEvent>(event)) {
    case LayoutEvent::KeyRemapped:
    case LayoutEvent::KeySizeStepped:
        return true;
    case LayoutEvent::LoadFailed:
    case LayoutEvent::Saved:
        return false;
    }
    return modified;
}

} // namespace KeyRules
