#include "keyboards/buttonfamilies.h"

namespace ButtonFamilies {

bool takesKeySize(const QString &name)
{
    return name.contains(QLatin1String("Button")) || name.contains(QLatin1String("tch"))
        || name.contains(QLatin1String("t0")) || name.contains(QLatin1String("t1"))
        || name.contains(QLatin1String("t2"));
}

bool takesTextFont(const QString &name)
{
    return takesKeySize(name) || name.contains(QLatin1String("bG"));
}

bool isLetterKey(const QString &name)
{
    return name.startsWith(QLatin1String("tch"));
}

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

std::optional<int> steppedKeySize(int referenceSize, bool up)
{
    if ((!up && referenceSize < 9) || (up && referenceSize > 20))
        return std::nullopt;
    return up ? referenceSize + 1 : referenceSize - 1;
}

} // namespace ButtonFamilies
