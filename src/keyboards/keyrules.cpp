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

} // namespace KeyRules
