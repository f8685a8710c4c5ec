#include "keyboards/characternames.h"

#include "keyboards/characterset.h"
#include "keyboards/charactersearch.h"

#include <QChar>
#include <QSet>
#include <QTest>

class TestCharacterNames : public QObject
{
    Q_OBJECT

private slots:
    void everyCodeHasItsOwnName();
    void casePartnersShareTheirName();
    void knownNames_data();
    void knownNames();
    void outOfRange_data();
    void outOfRange();
    void tooltip_data();
    void tooltip();
    void codeForms_data();
    void codeForms();
    void search_data();
    void search();
};

void TestCharacterNames::everyCodeHasItsOwnName()
{
    QSet<QString> seen;
    for (int code = CharacterSet::FirstCode; code <= CharacterSet::LastCode; ++code) {
        const QString name = CharacterNames::frenchName(code);
        const QByteArray where = QByteArray::number(code) + ": " + name.toUtf8();
        QVERIFY2(!name.isEmpty(), where.constData());
        QVERIFY2(name == name.toUpper(), where.constData());
        QVERIFY2(name == name.simplified(), where.constData());
        QVERIFY2(!seen.contains(name), where.constData());
        seen.insert(name);
        QCOMPARE(CharacterNames::accessibleName(code), name);
    }
    QCOMPARE(seen.size(), CharacterSet::Count);
}

void TestCharacterNames::casePartnersShareTheirName()
{
    // A row shifted or swapped in the table breaks the pairing of capitals with their small letters.
    int pairs = 0;
    for (int code = CharacterSet::FirstCode; code <= CharacterSet::LastCode; ++code) {
        const QChar capital = CharacterSet::character(code).at(0);
        if (!capital.isUpper())
            continue;
        const int smallCode = CharacterSet::codeOfCaption(QString(capital.toLower()));
        QVERIFY2(smallCode > 0, qPrintable(QString::number(code)));
        const QString capitalName = CharacterNames::frenchName(code);
        QVERIFY2(capitalName.contains(QStringLiteral(" MAJUSCULE ")), qPrintable(capitalName));
        QString expected = capitalName;
        expected.replace(QStringLiteral(" MAJUSCULE "), QStringLiteral(" MINUSCULE "));
        QCOMPARE(CharacterNames::frenchName(smallCode), expected);
        ++pairs;
    }
    // A-Z, À-Þ but ×, and Š Œ Ž Ÿ.
    QCOMPARE(pairs, 60);
}

void TestCharacterNames::knownNames_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("space") << 32 << QStringLiteral("ESPACE");
    QTest::newRow("exclamation mark") << 33 << QStringLiteral("POINT D'EXCLAMATION");
    QTest::newRow("digit zero") << 48 << QStringLiteral("CHIFFRE ZÉRO");
    QTest::newRow("A") << 65 << QStringLiteral("LETTRE MAJUSCULE LATINE A");
    QTest::newRow("z") << 122 << QStringLiteral("LETTRE MINUSCULE LATINE Z");
    QTest::newRow("delete") << 127 << QStringLiteral("SUPPRESSION (CARACTÈRE DE COMMANDE)");
    QTest::newRow("euro") << 128 << QStringLiteral("SYMBOLE EURO");
    QTest::newRow("undefined 0x81") << 129 << QStringLiteral("CODE NON DÉFINI DANS WINDOWS-1252 (U+0081)");
    QTest::newRow("undefined 0x8D") << 141 << QStringLiteral("CODE NON DÉFINI DANS WINDOWS-1252 (U+008D)");
    QTest::newRow("undefined 0x8F") << 143 << QStringLiteral("CODE NON DÉFINI DANS WINDOWS-1252 (U+008F)");
    QTest::newRow("undefined 0x90") << 144 << QStringLiteral("CODE NON DÉFINI DANS WINDOWS-1252 (U+0090)");
    QTest::newRow("undefined 0x9D") << 157 << QStringLiteral("CODE NON DÉFINI DANS WINDOWS-1252 (U+009D)");
    QTest::newRow("right single quote") << 146 << QStringLiteral("GUILLEMET-APOSTROPHE");
    QTest::newRow("en dash") << 150 << QStringLiteral("TIRET DEMI-CADRATIN");
    QTest::newRow("oe") << 156 << QStringLiteral("DIGRAMME SOUDÉ MINUSCULE LATIN OE");
    QTest::newRow("ampersand") << 38 << QStringLiteral("PERLUÈTE");
    QTest::newRow("f with hook") << 131 << QStringLiteral("LETTRE MINUSCULE LATINE F HAMEÇON");
    QTest::newRow("small eth") << 240 << QStringLiteral("LETTRE MINUSCULE LATINE ED");
    QTest::newRow("no-break space") << 160 << QStringLiteral("ESPACE INSÉCABLE");
    QTest::newRow("left guillemet") << 171 << QStringLiteral("GUILLEMET GAUCHE");
    QTest::newRow("soft hyphen") << 173 << QStringLiteral("TRAIT D'UNION CONDITIONNEL");
    QTest::newRow("sharp s") << 223 << QStringLiteral("LETTRE MINUSCULE LATINE S DUR");
    QTest::newRow("e acute") << 233 << QStringLiteral("LETTRE MINUSCULE LATINE E ACCENT AIGU");
    QTest::newRow("division sign") << 247 << QStringLiteral("SIGNE DIVISION");
    QTest::newRow("y diaeresis") << 255 << QStringLiteral("LETTRE MINUSCULE LATINE Y TRÉMA");
}

void TestCharacterNames::knownNames()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(CharacterNames::frenchName(code), name);
}

void TestCharacterNames::outOfRange_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("negative") << -1;
    QTest::newRow("nul") << 0;
    QTest::newRow("last control below space") << 31;
    QTest::newRow("just past the end") << 256;
    QTest::newRow("far past the end") << 1000;
}

void TestCharacterNames::outOfRange()
{
    QFETCH(int, code);
    QCOMPARE(CharacterNames::frenchName(code), QString());
    QCOMPARE(CharacterNames::accessibleName(code), QString());
    QCOMPARE(CharacterNames::tooltip(code), QString());
}

void TestCharacterNames::tooltip_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("e acute") << 233
        << QStringLiteral("LETTRE MINUSCULE LATINE E ACCENT AIGU\nCode 233 (0xE9)\nUnicode U+00E9\nWindows : Alt+0233");
    QTest::newRow("euro, code point differs from code") << 128
        << QStringLiteral("SYMBOLE EURO\nCode 128 (0x80)\nUnicode U+20AC\nWindows : Alt+0128");
    QTest::newRow("space, two-digit code padded to four") << 32
        << QStringLiteral("ESPACE\nCode 32 (0x20)\nUnicode U+0020\nWindows : Alt+0032");
    QTest::newRow("undefined byte") << 129
        << QStringLiteral("CODE NON DÉFINI DANS WINDOWS-1252 (U+0081)\nCode 129 (0x81)\nUnicode U+0081\nWindows : Alt+0129");
    QTest::newRow("Y diaeresis, upper-case hex") << 159
        << QStringLiteral("LETTRE MAJUSCULE LATINE Y TRÉMA\nCode 159 (0x9F)\nUnicode U+0178\nWindows : Alt+0159");
    QTest::newRow("familiar word after the name") << 38
        << QStringLiteral("PERLUÈTE\naussi : esperluette\nCode 38 (0x26)\nUnicode U+0026\nWindows : Alt+0038");
    QTest::newRow("arobase") << 64
        << QStringLiteral("ARROBE\naussi : arobase\nCode 64 (0x40)\nUnicode U+0040\nWindows : Alt+0064");
    QTest::newRow("last code") << 255
        << QStringLiteral("LETTRE MINUSCULE LATINE Y TRÉMA\nCode 255 (0xFF)\nUnicode U+00FF\nWindows : Alt+0255");
}

void TestCharacterNames::tooltip()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(CharacterNames::tooltip(code), text);
}

void TestCharacterNames::codeForms_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("codePoint");
    QTest::addColumn<QString>("entity");
    QTest::newRow("e acute") << 233 << "U+00E9" << "&eacute;";
    QTest::newRow("euro, from the typographic marks") << 128 << "U+20AC" << "&euro;";
    QTest::newRow("ampersand") << 38 << "U+0026" << "&amp;";
    QTest::newRow("Z caron") << 142 << "U+017D" << "&Zcaron;";
    QTest::newRow("no-break space, first of Latin-1") << 160 << "U+00A0" << "&nbsp;";
    QTest::newRow("y diaeresis, last of Latin-1") << 255 << "U+00FF" << "&yuml;";
    QTest::newRow("a letter HTML names not") << 65 << "U+0041" << "&#65;";
    QTest::newRow("undefined byte") << 129 << "U+0081" << "&#129;";
    QTest::newRow("out of range") << 31 << "" << "";
}

void TestCharacterNames::codeForms()
{
    QFETCH(int, code);
    QFETCH(QString, codePoint);
    QFETCH(QString, entity);
    QCOMPARE(CharacterNames::codePoint(code), codePoint);
    QCOMPARE(CharacterNames::htmlEntity(code), entity);
}

void TestCharacterNames::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("first");   // the characters the results begin with, in their order
    QTest::addColumn<int>("count");       // how many results, or -1 when many
    QTest::newRow("a word") << "cedille" << "¸Çç" << 3;
    QTest::newRow("a word and a beginning") << "cedille maj" << "Ç" << 1;
    QTest::newRow("any order, accents and case") << "MAJ CÉDILLE" << "Ç" << 1;
    QTest::newRow("a one-letter word") << "e aigu" << "Éé" << 2;
    QTest::newRow("shorter name first") << "guillemet gauche" << "«‹" << 2;
    QTest::newRow("whole word before a beginning") << "point" << ".;·!?¡¿:…" << 9;
    QTest::newRow("familiar word") << "ligature" << "Œœ" << 2;
    QTest::newRow("familiar word alone") << "esperluette" << "&" << 1;
    QTest::newRow("ligature taken apart") << "oe" << "Œœ" << 2;
    QTest::newRow("apostrophe inside") << "d'interrogation" << "?¿" << 2;
    QTest::newRow("decimal code") << "233" << "é" << 1;
    QTest::newRow("decimal code with a zero") << "065" << "A" << 1;
    QTest::newRow("decimal code being typed") << "23" << "æçèéêëìíîï" << 10;
    QTest::newRow("byte") << "E9" << "é" << 1;
    QTest::newRow("byte with 0x") << "0xE9" << "é" << 1;
    QTest::newRow("byte after a word") << "ae" << "Ææ®" << 3;
    QTest::newRow("code point") << "U+00E9" << "é" << 1;
    QTest::newRow("code point, short and small") << "u+e9" << "é" << 1;
    QTest::newRow("code point beyond Latin-1") << "U+20AC" << "€" << 1;
    QTest::newRow("code point being typed") << "U+00A" << "\u00A0¡¢£¤¥¦§¨©ª«¬\u00AD®¯" << 16;
    QTest::newRow("guillemet by its code point") << "U+00AB" << "«" << 1;
    QTest::newRow("Alt code") << "0233" << "é" << 1;
    QTest::newRow("Alt code with Alt") << "Alt+0233" << "é" << 1;
    QTest::newRow("Alt and a DOS code") << "Alt+233" << "" << 0;
    QTest::newRow("entity") << "&eacute;" << "éÉ" << 2;
    QTest::newRow("entity, the other case after") << "&Eacute;" << "Éé" << 2;
    QTest::newRow("entity being typed") << "&laq" << "«" << 1;
    QTest::newRow("numeric entity") << "&#8364;" << "€" << 1;
    QTest::newRow("hexadecimal entity") << "&#xE9;" << "é" << 1;
    QTest::newRow("the character itself") << "€" << "€" << 1;
    QTest::newRow("a sign itself") << "(" << "(" << 1;
    QTest::newRow("the letter itself first") << "é" << "éEe" << -1;
    QTest::newRow("a code and a word") << "e 233" << "é" << 1;
    QTest::newRow("a code and a word that disagree") << "o 233" << "" << 0;
    QTest::newRow("nothing answers") << "zzz" << "" << 0;
    QTest::newRow("blank") << "   " << "" << 0;
}

void TestCharacterNames::search()
{
    QFETCH(QString, query);
    QFETCH(QString, first);
    QFETCH(int, count);
    const QList<int> codes = CharacterSearch().find(query);
    QString found;
    for (const int code : codes)
        found += CharacterSet::character(code);
    QCOMPARE(found.left(first.size()), first);
    if (count >= 0)
        QCOMPARE(codes.size(), count);
}

QTEST_GUILESS_MAIN(TestCharacterNames)
#include "tst_characternames.moc"
