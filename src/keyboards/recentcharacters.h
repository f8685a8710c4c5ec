#pragma once

#include <QList>
#include <QString>

// The characters typed last, from any key, page, list or search, most recent first and each once: what
// the search window offers before anything is typed into it, kept from one run to the next.
class RecentCharacters
{
public:
    static constexpr int Limit = 20;

    // From tapoli.ini's value: the characters one after the other. What no button of the pages types
    // (a control character, one outside Windows-1252) is left out, a character met again too, and
    // whatever comes past the limit.
    static RecentCharacters fromText(const QString &text);
    QString text() const;

    // A character just typed comes first, out of the place it had; one no button types changes nothing.
    void add(const QString &character);

    const QList<int> &codes() const { return m_codes; }
    bool operator==(const RecentCharacters &other) const { return m_codes == other.m_codes; }

private:
    QList<int> m_codes;
};
