#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// Finds characters of codes 32 to 255 from what a user types into the search window, each word of it
// on its own: a word of the French name or of the familiar one (in any order, accents and case aside,
// its beginning or, from three letters on, a piece of it being enough), the decimal code ("233"), the byte ("E9", "0xE9"), the code point
// ("U+00E9"), the Windows Alt code ("0233", "Alt+0233"), the HTML entity ("&eacute;") or the character
// itself. A character must answer every word; the closer it answers, the earlier it comes.
class CharacterSearch
{
public:
    // Reads every name once, so that a search as the user types only compares.
    CharacterSearch();

    // The matching codes, best first; none for a blank query.
    QList<int> find(const QString &query) const;

private:
    // Lower case, accents and ligatures taken apart ("Œ" gives "oe"), so that "cedille" finds "CÉDILLE".
    static QString folded(const QString &text);

    struct Entry
    {
        int code = 0;
        QString character;
        QStringList words;        // folded, of the name and then of the familiar word
        int nameWords = 0;        // how many of them the name gives: the shorter name is the closer match
        QString entity;           // "eacute", or nothing
        QString codePointDigits;  // "00e9"
        QString decimal;          // "233"
        QString altCode;          // "0233"
        QString byteDigits;       // "e9"
    };
    // A word of the query, read once for all the characters.
    struct Token
    {
        QString text;          // as typed: the character itself, and entities, keep their case
        QString lower;
        QStringList parts;     // folded and split as the names are
    };

    static int nameScore(const Entry &entry, const QStringList &parts);
    static int codeScore(const Entry &entry, const Token &token);

    std::vector<Entry> m_entries;
};
