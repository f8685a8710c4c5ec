#include "keyboards/characternames.h"

#include "keyboards/characterset.h"
#include "text/codepage.h"

#include <QLatin1Char>
#include <QString>

#include <iterator>

namespace {

// The official French names (the French list of Unicode names, as in the French edition of ISO/IEC
// 10646), one per code from 32 to 255. Bytes that are control characters carry a description instead,
// so that their buttons do not stay silent.
constexpr const char16_t *Names[] = {
    // 0x20
    u"ESPACE",
    u"POINT D'EXCLAMATION",
    u"GUILLEMET ANGLAIS",
    u"CROISILLON",
    u"SYMBOLE DOLLAR",
    u"SYMBOLE POUR CENT",
    u"PERLUÈTE",
    u"APOSTROPHE",
    u"PARENTHÈSE GAUCHE",
    u"PARENTHÈSE DROITE",
    u"ASTÉRISQUE",
    u"SIGNE PLUS",
    u"VIRGULE",
    u"TRAIT D'UNION-SIGNE MOINS",
    u"POINT",
    u"BARRE OBLIQUE",
    // 0x30
    u"CHIFFRE ZÉRO",
    u"CHIFFRE UN",
    u"CHIFFRE DEUX",
    u"CHIFFRE TROIS",
    u"CHIFFRE QUATRE",
    u"CHIFFRE CINQ",
    u"CHIFFRE SIX",
    u"CHIFFRE SEPT",
    u"CHIFFRE HUIT",
    u"CHIFFRE NEUF",
    u"DEUX-POINTS",
    u"POINT-VIRGULE",
    u"SIGNE INFÉRIEUR À",
    u"SIGNE ÉGAL À",
    u"SIGNE SUPÉRIEUR À",
    u"POINT D'INTERROGATION",
    // 0x40
    u"ARROBE",
    u"LETTRE MAJUSCULE LATINE A",
    u"LETTRE MAJUSCULE LATINE B",
    u"LETTRE MAJUSCULE LATINE C",
    u"LETTRE MAJUSCULE LATINE D",
    u"LETTRE MAJUSCULE LATINE E",
    u"LETTRE MAJUSCULE LATINE F",
    u"LETTRE MAJUSCULE LATINE G",
    u"LETTRE MAJUSCULE LATINE H",
    u"LETTRE MAJUSCULE LATINE I",
    u"LETTRE MAJUSCULE LATINE J",
    u"LETTRE MAJUSCULE LATINE K",
    u"LETTRE MAJUSCULE LATINE L",
    u"LETTRE MAJUSCULE LATINE M",
    u"LETTRE MAJUSCULE LATINE N",
    u"LETTRE MAJUSCULE LATINE O",
    // 0x50
    u"LETTRE MAJUSCULE LATINE P",
    u"LETTRE MAJUSCULE LATINE Q",
    u"LETTRE MAJUSCULE LATINE R",
    u"LETTRE MAJUSCULE LATINE S",
    u"LETTRE MAJUSCULE LATINE T",
    u"LETTRE MAJUSCULE LATINE U",
    u"LETTRE MAJUSCULE LATINE V",
    u"LETTRE MAJUSCULE LATINE W",
    u"LETTRE MAJUSCULE LATINE X",
    u"LETTRE MAJUSCULE LATINE Y",
    u"LETTRE MAJUSCULE LATINE Z",
    u"CROCHET GAUCHE",
    u"BARRE OBLIQUE INVERSÉE",
    u"CROCHET DROIT",
    u"ACCENT CIRCONFLEXE",
    u"TIRET BAS",
    // 0x60
    u"ACCENT GRAVE",
    u"LETTRE MINUSCULE LATINE A",
    u"LETTRE MINUSCULE LATINE B",
    u"LETTRE MINUSCULE LATINE C",
    u"LETTRE MINUSCULE LATINE D",
    u"LETTRE MINUSCULE LATINE E",
    u"LETTRE MINUSCULE LATINE F",
    u"LETTRE MINUSCULE LATINE G",
    u"LETTRE MINUSCULE LATINE H",
    u"LETTRE MINUSCULE LATINE I",
    u"LETTRE MINUSCULE LATINE J",
    u"LETTRE MINUSCULE LATINE K",
    u"LETTRE MINUSCULE LATINE L",
    u"LETTRE MINUSCULE LATINE M",
    u"LETTRE MINUSCULE LATINE N",
    u"LETTRE MINUSCULE LATINE O",
    // 0x70
    u"LETTRE MINUSCULE LATINE P",
    u"LETTRE MINUSCULE LATINE Q",
    u"LETTRE MINUSCULE LATINE R",
    u"LETTRE MINUSCULE LATINE S",
    u"LETTRE MINUSCULE LATINE T",
    u"LETTRE MINUSCULE LATINE U",
    u"LETTRE MINUSCULE LATINE V",
    u"LETTRE MINUSCULE LATINE W",
    u"LETTRE MINUSCULE LATINE X",
    u"LETTRE MINUSCULE LATINE Y",
    u"LETTRE MINUSCULE LATINE Z",
    u"ACCOLADE GAUCHE",
    u"BARRE VERTICALE",
    u"ACCOLADE DROITE",
    u"TILDE",
    u"SUPPRESSION (CARACTÈRE DE COMMANDE)",
    // 0x80
    u"SYMBOLE EURO",
    u"CODE NON DÉFINI DANS WINDOWS-1252 (U+0081)",
    u"GUILLEMET-VIRGULE INFÉRIEUR",
    u"LETTRE MINUSCULE LATINE F HAMEÇON",
    u"GUILLEMET-VIRGULE DOUBLE INFÉRIEUR",
    u"POINTS DE SUSPENSION",
    u"OBÈLE",
    u"DOUBLE OBÈLE",
    u"LETTRE MODIFICATIVE ACCENT CIRCONFLEXE",
    u"SYMBOLE POUR MILLE",
    u"LETTRE MAJUSCULE LATINE S CARON",
    u"GUILLEMET SIMPLE VERS LA GAUCHE",
    u"DIGRAMME SOUDÉ MAJUSCULE LATIN OE",
    u"CODE NON DÉFINI DANS WINDOWS-1252 (U+008D)",
    u"LETTRE MAJUSCULE LATINE Z CARON",
    u"CODE NON DÉFINI DANS WINDOWS-1252 (U+008F)",
    // 0x90
    u"CODE NON DÉFINI DANS WINDOWS-1252 (U+0090)",
    u"GUILLEMET-APOSTROPHE CULBUTÉ",
    u"GUILLEMET-APOSTROPHE",
    u"GUILLEMET-APOSTROPHE DOUBLE CULBUTÉ",
    u"GUILLEMET-APOSTROPHE DOUBLE",
    u"PUCE",
    u"TIRET DEMI-CADRATIN",
    u"TIRET CADRATIN",
    u"PETIT TILDE",
    u"SYMBOLE ANGLAIS MARQUE DE COMMERCE",
    u"LETTRE MINUSCULE LATINE S CARON",
    u"GUILLEMET SIMPLE VERS LA DROITE",
    u"DIGRAMME SOUDÉ MINUSCULE LATIN OE",
    u"CODE NON DÉFINI DANS WINDOWS-1252 (U+009D)",
    u"LETTRE MINUSCULE LATINE Z CARON",
    u"LETTRE MAJUSCULE LATINE Y TRÉMA",
    // 0xA0
    u"ESPACE INSÉCABLE",
    u"POINT D'EXCLAMATION RENVERSÉ",
    u"SYMBOLE CENTIME",
    u"SYMBOLE LIVRE",
    u"SYMBOLE MONÉTAIRE",
    u"SYMBOLE YEN",
    u"BARRE VERTICALE DISCONTINUE",
    u"PARAGRAPHE",
    u"TRÉMA",
    u"SYMBOLE COPYRIGHT",
    u"INDICATEUR ORDINAL FÉMININ",
    u"GUILLEMET GAUCHE",
    u"SIGNE NÉGATION",
    u"TRAIT D'UNION CONDITIONNEL",
    u"SYMBOLE MARQUE DÉPOSÉE",
    u"MACRON",
    // 0xB0
    u"SYMBOLE DEGRÉ",
    u"SIGNE PLUS-OU-MOINS",
    u"EXPOSANT DEUX",
    u"EXPOSANT TROIS",
    u"ACCENT AIGU",
    u"SYMBOLE MICRO",
    u"PIED-DE-MOUCHE",
    u"POINT MÉDIAN",
    u"CÉDILLE",
    u"EXPOSANT UN",
    u"INDICATEUR ORDINAL MASCULIN",
    u"GUILLEMET DROIT",
    u"FRACTION UN QUART",
    u"FRACTION UN DEMI",
    u"FRACTION TROIS QUARTS",
    u"POINT D'INTERROGATION RENVERSÉ",
    // 0xC0
    u"LETTRE MAJUSCULE LATINE A ACCENT GRAVE",
    u"LETTRE MAJUSCULE LATINE A ACCENT AIGU",
    u"LETTRE MAJUSCULE LATINE A ACCENT CIRCONFLEXE",
    u"LETTRE MAJUSCULE LATINE A TILDE",
    u"LETTRE MAJUSCULE LATINE A TRÉMA",
    u"LETTRE MAJUSCULE LATINE A ROND EN CHEF",
    u"LETTRE MAJUSCULE LATINE AE",
    u"LETTRE MAJUSCULE LATINE C CÉDILLE",
    u"LETTRE MAJUSCULE LATINE E ACCENT GRAVE",
    u"LETTRE MAJUSCULE LATINE E ACCENT AIGU",
    u"LETTRE MAJUSCULE LATINE E ACCENT CIRCONFLEXE",
    u"LETTRE MAJUSCULE LATINE E TRÉMA",
    u"LETTRE MAJUSCULE LATINE I ACCENT GRAVE",
    u"LETTRE MAJUSCULE LATINE I ACCENT AIGU",
    u"LETTRE MAJUSCULE LATINE I ACCENT CIRCONFLEXE",
    u"LETTRE MAJUSCULE LATINE I TRÉMA",
    // 0xD0
    u"LETTRE MAJUSCULE LATINE ED",
    u"LETTRE MAJUSCULE LATINE N TILDE",
    u"LETTRE MAJUSCULE LATINE O ACCENT GRAVE",
    u"LETTRE MAJUSCULE LATINE O ACCENT AIGU",
    u"LETTRE MAJUSCULE LATINE O ACCENT CIRCONFLEXE",
    u"LETTRE MAJUSCULE LATINE O TILDE",
    u"LETTRE MAJUSCULE LATINE O TRÉMA",
    u"SIGNE MULTIPLICATION",
    u"LETTRE MAJUSCULE LATINE O BARRÉ OBLIQUEMENT",
    u"LETTRE MAJUSCULE LATINE U ACCENT GRAVE",
    u"LETTRE MAJUSCULE LATINE U ACCENT AIGU",
    u"LETTRE MAJUSCULE LATINE U ACCENT CIRCONFLEXE",
    u"LETTRE MAJUSCULE LATINE U TRÉMA",
    u"LETTRE MAJUSCULE LATINE Y ACCENT AIGU",
    u"LETTRE MAJUSCULE LATINE THORN",
    u"LETTRE MINUSCULE LATINE S DUR",
    // 0xE0
    u"LETTRE MINUSCULE LATINE A ACCENT GRAVE",
    u"LETTRE MINUSCULE LATINE A ACCENT AIGU",
    u"LETTRE MINUSCULE LATINE A ACCENT CIRCONFLEXE",
    u"LETTRE MINUSCULE LATINE A TILDE",
    u"LETTRE MINUSCULE LATINE A TRÉMA",
    u"LETTRE MINUSCULE LATINE A ROND EN CHEF",
    u"LETTRE MINUSCULE LATINE AE",
    u"LETTRE MINUSCULE LATINE C CÉDILLE",
    u"LETTRE MINUSCULE LATINE E ACCENT GRAVE",
    u"LETTRE MINUSCULE LATINE E ACCENT AIGU",
    u"LETTRE MINUSCULE LATINE E ACCENT CIRCONFLEXE",
    u"LETTRE MINUSCULE LATINE E TRÉMA",
    u"LETTRE MINUSCULE LATINE I ACCENT GRAVE",
    u"LETTRE MINUSCULE LATINE I ACCENT AIGU",
    u"LETTRE MINUSCULE LATINE I ACCENT CIRCONFLEXE",
    u"LETTRE MINUSCULE LATINE I TRÉMA",
    // 0xF0
    u"LETTRE MINUSCULE LATINE ED",
    u"LETTRE MINUSCULE LATINE N TILDE",
    u"LETTRE MINUSCULE LATINE O ACCENT GRAVE",
    u"LETTRE MINUSCULE LATINE O ACCENT AIGU",
    u"LETTRE MINUSCULE LATINE O ACCENT CIRCONFLEXE",
    u"LETTRE MINUSCULE LATINE O TILDE",
    u"LETTRE MINUSCULE LATINE O TRÉMA",
    u"SIGNE DIVISION",
    u"LETTRE MINUSCULE LATINE O BARRÉ OBLIQUEMENT",
    u"LETTRE MINUSCULE LATINE U ACCENT GRAVE",
    u"LETTRE MINUSCULE LATINE U ACCENT AIGU",
    u"LETTRE MINUSCULE LATINE U ACCENT CIRCONFLEXE",
    u"LETTRE MINUSCULE LATINE U TRÉMA",
    u"LETTRE MINUSCULE LATINE Y ACCENT AIGU",
    u"LETTRE MINUSCULE LATINE THORN",
    u"LETTRE MINUSCULE LATINE Y TRÉMA",
};
static_assert(std::size(Names) == CharacterSet::Count, "one name for each code from 32 to 255");

// Where the word people use is not the official name, it follows the name in the tooltip.
QString familiarWord(int code)
{
    switch (code) {
    case 0x23: return QStringLiteral("dièse");
    case 0x26: return QStringLiteral("esperluette");
    case 0x40: return QStringLiteral("arobase");
    case 0x8C: return QStringLiteral("ligature Œ");
    case 0x9C: return QStringLiteral("ligature œ");
    case 0xD0:
    case 0xF0: return QStringLiteral("eth");
    default: return QString();
    }
}

// The names HTML gives the characters of Windows-1252: Latin-1's, those of the typographic marks Windows
// puts in 0x80-0x9F, and the four of ASCII that markup itself needs.
struct Entity
{
    int code;
    const char *name;
};
constexpr Entity Entities[] = {
    {0x22, "quot"}, {0x26, "amp"}, {0x27, "apos"}, {0x3C, "lt"}, {0x3E, "gt"},
    {0x80, "euro"}, {0x82, "sbquo"}, {0x83, "fnof"}, {0x84, "bdquo"}, {0x85, "hellip"}, {0x86, "dagger"},
    {0x87, "Dagger"}, {0x88, "circ"}, {0x89, "permil"}, {0x8A, "Scaron"}, {0x8B, "lsaquo"}, {0x8C, "OElig"},
    {0x8E, "Zcaron"}, {0x91, "lsquo"}, {0x92, "rsquo"}, {0x93, "ldquo"}, {0x94, "rdquo"}, {0x95, "bull"},
    {0x96, "ndash"}, {0x97, "mdash"}, {0x98, "tilde"}, {0x99, "trade"}, {0x9A, "scaron"}, {0x9B, "rsaquo"},
    {0x9C, "oelig"}, {0x9E, "zcaron"}, {0x9F, "Yuml"},
};
// From 0xA0 on, HTML names every code, in order.
constexpr const char *LatinOneEntities[] = {
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf", "laquo",
    "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro", "para", "middot",
    "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",
    "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc", "Euml", "Igrave", "Iacute",
    "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash",
    "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde",
    "auml", "aring", "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc",
    "iuml", "eth", "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave",
    "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml",
};
static_assert(std::size(LatinOneEntities) == 0x100 - 0xA0, "one entity for each code from 0xA0 to 0xFF");

bool inRange(int code)
{
    return code >= CharacterSet::FirstCode && code <= CharacterSet::LastCode;
}

QString upperHex(int value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

} // namespace

namespace CharacterNames {

QString frenchName(int code)
{
    if (!inRange(code))
        return QString();
    return QString::fromUtf16(Names[code - CharacterSet::FirstCode]);
}

QString familiarName(int code)
{
    return inRange(code) ? familiarWord(code) : QString();
}

QString codePoint(int code)
{
    if (!inRange(code))
        return QString();
    return QStringLiteral("U+") + upperHex(CodePage::toUnicode(static_cast<unsigned char>(code)).unicode(), 4);
}

QString htmlEntityName(int code)
{
    if (code >= 0xA0 && code <= 0xFF)
        return QLatin1String(LatinOneEntities[code - 0xA0]);
    for (const Entity &entity : Entities) {
        if (entity.code == code)
            return QLatin1String(entity.name);
    }
    return QString();
}

QString htmlEntity(int code)
{
    if (!inRange(code))
        return QString();
    const QString name = htmlEntityName(code);
    if (!name.isEmpty())
        return QLatin1Char('&') + name + QLatin1Char(';');
    return QStringLiteral("&#") + QString::number(CodePage::toUnicode(static_cast<unsigned char>(code)).unicode())
        + QLatin1Char(';');
}

QString details(int code)
{
    if (!inRange(code))
        return QString();
    const QString familiar = familiarWord(code);
    // Windows reads four digits with a leading 0 as a Windows-1252 code; without it, as an old DOS code page.
    return (familiar.isEmpty() ? QString() : QStringLiteral("aussi : ") + familiar + QLatin1Char('\n'))
        + QStringLiteral("Code ") + QString::number(code) + QStringLiteral(" (0x") + upperHex(code, 2)
        + QStringLiteral(")\n") + QStringLiteral("Unicode ") + codePoint(code) + QLatin1Char('\n')
        + QStringLiteral("Windows : Alt+") + QStringLiteral("%1").arg(code, 4, 10, QLatin1Char('0'));
}

QString tooltip(int code)
{
    if (!inRange(code))
        return QString();
    return frenchName(code) + QLatin1Char('\n') + details(code);
}

QString accessibleName(int code)
{
    return frenchName(code);
}

} // namespace CharacterNames
