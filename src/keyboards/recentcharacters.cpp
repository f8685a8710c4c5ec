#include "keyboards/recentcharacters.h"

#include "keyboards/characterset.h"
#include "text/textrules.h"

namespace {

// The code of a character a button types, or -1.
int typedCode(const QString &character)
{
    const int code = CharacterSet::codeOfCaption(character);
    if (code < CharacterSet::FirstCode || TextRules::characterOfCaption(character).isEmpty())
        return -1;
    return code;
}

} // namespace

RecentCharacters RecentCharacters::fromText(const QString &text)
{
    RecentCharacters recent;
    for (const QChar character : text) {
        if (recent.m_codes.size() == Limit)
            break;
        const int code = typedCode(QString(character));
        if (code >= 0 && !recent.m_codes.contains(code))
            recent.m_codes << code;
    }
    return recent;
}

QString RecentCharacters::text() const
{
    QString characters;
    for (const int code : m_codes)
        characters += CharacterSet::character(code);
    return characters;
}

void RecentCharacters::add(const QString &character)
{
    const int code = typedCode(character.left(1));
    if (code < 0)
        return;
    m_codes.removeOne(code);
    m_codes.prepend(code);
    if (m_codes.size() > Limit)
        m_codes.removeLast();
}
