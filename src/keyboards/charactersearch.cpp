#include "keyboards/charactersearch.h"

#include "keyboards/characternames.h"
#include "keyboards/characterset.h"
#include "text/codepage.h"

#include <QChar>

#include <algorithm>

namespace {

// How closely a word of the query answers, from the form that leaves no doubt down to a part of a word.
// A word of the query scores its best reading; a character scores the sum over the query's words.
constexpr int TheCharacterItself = 12;
constexpr int ExactCode = 10;          // 233, 0xE9, U+00E9, 0233, Alt+0233, &eacute;, &#233;
constexpr int WholeWord = 6;
constexpr int BareByte = 5;            // E9: hexadecimal without its 0x, which a word could also be
constexpr int OtherCaseEntity = 5;     // &EACUTE;
constexpr int WordBeginning = 4;
constexpr int CodeBeginning = 3;       // U+00E, 23, &eac: a code being typed
constexpr int InsideWord = 1;
// Shorter, a piece inside a word would find nearly every name.
constexpr int InsideWordLength = 3;

// Letters and digits make words; anything else (blanks, apostrophes, hyphens, brackets) parts them.
QStringList splitWords(const QString &folded)
{
    QStringList words;
    QString word;
    for (const QChar character : folded) {
        if (character.isLetterOrNumber()) {
            word += character;
        } else if (!word.isEmpty()) {
            words << word;
            word.clear();
        }
    }
    if (!word.isEmpty())
        words << word;
    return words;
}

// Of a text already in lower case.
bool isHexDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    });
}

bool isDecimalDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// Digits compared as numbers, leading zeros aside: "u+e9" is U+00E9.
bool sameNumber(const QString &typed, const QString &digits, int base)
{
    bool ok = false;
    const uint typedValue = typed.toUInt(&ok, base);
    return ok && typedValue == digits.toUInt(nullptr, base);
}

// A code being typed: "U+00E" is on its way to U+00E9. Nothing typed yet begins nothing.
int beginningScore(const QString &typed, const QString &digits)
{
    return !typed.isEmpty() && digits.startsWith(typed) ? CodeBeginning : 0;
}

QString lowerHex(int value, int digits)
{
    return QString::number(value, 16).rightJustified(digits, QLatin1Char('0'));
}

} // namespace

CharacterSearch::CharacterSearch()
{
    m_entries.reserve(CharacterSet::Count);
    for (int code = CharacterSet::FirstCode; code <= CharacterSet::LastCode; ++code) {
        Entry entry;
        entry.code = code;
        entry.character = CharacterSet::character(code);
        entry.words = splitWords(folded(CharacterNames::frenchName(code)));
        entry.nameWords = int(entry.words.size());
        entry.words << splitWords(folded(CharacterNames::familiarName(code)));
        entry.entity = CharacterNames::htmlEntityName(code);
        entry.codePointDigits = lowerHex(entry.character.at(0).unicode(), 4);
        entry.decimal = QString::number(code);
        entry.altCode = entry.decimal.rightJustified(4, QLatin1Char('0'));
        entry.byteDigits = lowerHex(code, 2);
        m_entries.push_back(entry);
    }
}

QString CharacterSearch::folded(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar character : text.normalized(QString::NormalizationForm_D)) {
        if (character.category() == QChar::Mark_NonSpacing)
            continue;
        switch (character.unicode()) {
        case u'Œ':
        case u'œ':
            result += QLatin1String("oe");
            break;
        case u'Æ':
        case u'æ':
            result += QLatin1String("ae");
            break;
        case u'ß':
            result += QLatin1String("ss");
            break;
        default:
            result += character.toLower();
        }
    }
    return result;
}

QList<int> CharacterSearch::find(const QString &query) const
{
    std::vector<Token> tokens;
    for (const QString &word : query.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        tokens.push_back({word, word.toLower(), splitWords(folded(word))});
    if (tokens.empty())
        return {};

    struct Found
    {
        int score;
        int nameWords;   // of a character found by its name; 0 for one found by its codes alone
        int code;
    };
    std::vector<Found> found;
    for (const Entry &entry : m_entries) {
        Found candidate{0, 0, entry.code};
        for (const Token &token : tokens) {
            const int byCode = codeScore(entry, token);
            const int byName = nameScore(entry, token.parts);
            if (byCode == 0 && byName == 0) {
                candidate.score = 0;
                break;
            }
            candidate.score += std::max(byCode, byName);
            if (byName > byCode)
                candidate.nameWords = entry.nameWords;
        }
        if (candidate.score > 0)
            found.push_back(candidate);
    }
    // Ties go to the shorter name ("GUILLEMET GAUCHE" before "GUILLEMET SIMPLE VERS LA GAUCHE"), then to
    // the order of the pages.
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        if (a.score != b.score)
            return a.score > b.score;
        if (a.nameWords != b.nameWords)
            return a.nameWords < b.nameWords;
        return a.code < b.code;
    });
    QList<int> codes;
    codes.reserve(qsizetype(found.size()));
    for (const Found &each : found)
        codes << each.code;
    return codes;
}

int CharacterSearch::nameScore(const Entry &entry, const QStringList &parts)
{
    if (parts.isEmpty())
        return 0;
    int total = 0;
    for (const QString &part : parts) {
        int best = 0;
        for (const QString &word : entry.words) {
            if (word == part)
                best = WholeWord;
            else if (word.startsWith(part))
                best = std::max(best, WordBeginning);
            else if (part.size() >= InsideWordLength && word.contains(part))
                best = std::max(best, InsideWord);
            if (best == WholeWord)
                break;
        }
        if (best == 0)
            return 0;
        total += best;
    }
    return total;
}

int CharacterSearch::codeScore(const Entry &entry, const Token &token)
{
    if (token.text == entry.character)
        return TheCharacterItself;
    const QString &lower = token.lower;
    if (lower.startsWith(QLatin1String("u+"))) {
        const QString digits = lower.mid(2);
        if (!isHexDigits(digits))
            return 0;
        return sameNumber(digits, entry.codePointDigits, 16) ? ExactCode : beginningScore(digits, entry.codePointDigits);
    }
    if (lower.startsWith(QLatin1String("0x"))) {
        const QString digits = lower.mid(2);
        if (!isHexDigits(digits))
            return 0;
        return sameNumber(digits, entry.byteDigits, 16) ? ExactCode : beginningScore(digits, entry.byteDigits);
    }
    if (lower.startsWith(QLatin1String("alt+"))) {
        // Only the four digits with a leading 0 are Windows-1252; Alt and a plain number is a DOS code page.
        const QString digits = lower.mid(4);
        return digits == entry.altCode ? ExactCode : beginningScore(digits, entry.altCode);
    }
    if (lower.startsWith(QLatin1Char('&'))) {
        QString name = token.text.mid(1);
        if (name.endsWith(QLatin1Char(';')))
            name.chop(1);
        if (name.startsWith(QLatin1Char('#'))) {
            QString number = name.mid(1).toLower();
            const bool hex = number.startsWith(QLatin1Char('x'));
            if (hex)
                number.remove(0, 1);
            bool ok = false;
            const uint value = number.toUInt(&ok, hex ? 16 : 10);
            const bool digits = hex ? isHexDigits(number) : isDecimalDigits(number);
            return digits && ok && value == entry.character.at(0).unicode() ? ExactCode : 0;
        }
        if (entry.entity.isEmpty() || name.isEmpty())
            return 0;
        if (name == entry.entity)
            return ExactCode;
        if (name.compare(entry.entity, Qt::CaseInsensitive) == 0)
            return OtherCaseEntity;
        return entry.entity.startsWith(name, Qt::CaseInsensitive) ? CodeBeginning : 0;
    }
    if (isDecimalDigits(lower)) {
        // Four digits with a leading 0 are the Alt code; up to three, the code itself.
        if (lower.size() == 4 && lower.startsWith(QLatin1Char('0')))
            return lower == entry.altCode ? ExactCode : 0;
        if (lower.size() <= 3 && lower.toInt() == entry.code)
            return ExactCode;
        if (lower.size() < 2)
            return 0;
        return lower.startsWith(QLatin1Char('0')) ? beginningScore(lower, entry.altCode)
                                                  : beginningScore(lower, entry.decimal);
    }
    // Two hexadecimal digits, a letter among them: digits alone are read as the decimal code.
    if (lower.size() == 2 && isHexDigits(lower) && !isDecimalDigits(lower) && lower == entry.byteDigits)
        return BareByte;
    return 0;
}
