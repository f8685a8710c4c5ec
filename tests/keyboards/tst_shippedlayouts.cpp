#include "keyboards/keydefinitions.h"
#include "keyboards/keyboardlayoutfile.h"
#include "text/codepage.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

#include <algorithm>

using KeyboardLayoutFile::KeyCaption;
using KeyboardLayoutFile::Layout;

// The layouts that ship with the program must load on any copy of it, Windows included, and be
// saved back unchanged: each is checked as the keyboard page reads it and as it would write it.
class TestShippedLayouts : public QObject
{
    Q_OBJECT

private slots:
    void everyShippedFileIsChecked();

    void plainWindows1252_data() { addFileRows(); }
    void plainWindows1252();
    void fontSizeAndDirection_data() { addFileRows(); }
    void fontSizeAndDirection();
    void everyKeyOnceInOrder_data() { addFileRows(); }
    void everyKeyOnceInOrder();

    void oneCharacterPerKey_data() { addFileRows(); }
    void oneCharacterPerKey();
    void letterKeysHoldTheAlphabet_data() { addFileRows(); }
    void letterKeysHoldTheAlphabet();
    void languageCharactersOffered_data() { addFileRows(); }
    void languageCharactersOffered();

    void writeGivesBackTheBytes_data() { addFileRows(); }
    void writeGivesBackTheBytes();

private:
    static void addFileRows();
};

namespace {

const char *const shippedFiles[] = {
    "francais-typographie.cltpo", "deutsch.cltpo", "espanol.cltpo",
    "portugues.cltpo",            "italiano.cltpo", "nordique.cltpo",
};

QByteArray shippedBytes(const QString &fileName)
{
    QFile file(QDir(QStringLiteral(TAPOLI_SHIPPED_LAYOUTS_DIR)).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A key shows "&&" for a typed "&": a lone "&" would only mark an accelerator.
QString typedCharacter(const QString &caption)
{
    return caption == QLatin1String("&&") ? QStringLiteral("&") : caption;
}

QSet<QString> offeredCharacters(const Layout &layout)
{
    QSet<QString> characters;
    for (const KeyCaption &key : layout.keys)
        characters.insert(typedCharacter(key.caption));
    return characters;
}

} // namespace

void TestShippedLayouts::addFileRows()
{
    QTest::addColumn<QString>("fileName");
    // Characters a writer of the language reaches for and an ordinary keyboard makes awkward.
    QTest::addColumn<QString>("required");
    QTest::newRow("francais-typographie")
        << QStringLiteral("francais-typographie.cltpo")
        << QStringLiteral("«»’“”–—…ÉÈÊÀÇŒÆÙŸÂÎÔÛËÏÜéèêëàâçœæùûüîïô");
    QTest::newRow("deutsch") << QStringLiteral("deutsch.cltpo") << QStringLiteral("äöüßÄÖÜ„“‚‘€…");
    QTest::newRow("espanol") << QStringLiteral("espanol.cltpo") << QStringLiteral("áéíóúñüÁÉÍÓÚÑÜ¿¡«»ªº€");
    QTest::newRow("portugues") << QStringLiteral("portugues.cltpo")
                               << QStringLiteral("ãõáàâéêíóôúçÃÕÁÀÂÉÊÍÓÔÚÇªº«»€");
    QTest::newRow("italiano") << QStringLiteral("italiano.cltpo") << QStringLiteral("àèéìòùÀÈÉÌÒÙ«»€");
    QTest::newRow("nordique") << QStringLiteral("nordique.cltpo") << QStringLiteral("åæøÅÆØäöÄÖðþÐÞíóáúýé€");
}

void TestShippedLayouts::everyShippedFileIsChecked()
{
    QStringList expected;
    for (const char *name : shippedFiles)
        expected << QString::fromLatin1(name);
    expected.sort();
    const QDir folder(QStringLiteral(TAPOLI_SHIPPED_LAYOUTS_DIR));
    QVERIFY2(folder.exists(), qPrintable(folder.path()));
    const QStringList found = folder.entryList({QStringLiteral("*.cltpo")}, QDir::Files, QDir::Name);
    QCOMPARE(found, expected);
}

void TestShippedLayouts::plainWindows1252()
{
    QFETCH(QString, fileName);
    const QByteArray bytes = shippedBytes(fileName);
    QVERIFY2(!bytes.isEmpty(), qPrintable(fileName));

    // A byte-order mark, or bytes that happen to read as UTF-8, would make the program take the
    // whole file for UTF-8 and show every accented caption wrong.
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(TextFile::decodeLines(bytes).encoding == TextFile::Encoding::Windows1252);

    // Two header lines and one line per key, each ended by CR LF and by nothing else.
    const int lineCount = 2 + int(keyDefinitions().size());
    QCOMPARE(int(bytes.count('\n')), lineCount);
    QCOMPARE(int(bytes.count("\r\n")), lineCount);
    QCOMPARE(int(bytes.count('\r')), lineCount);
    QVERIFY(bytes.endsWith("\r\n"));

    // The five bytes Windows-1252 leaves undefined decode to C1 controls; no caption may be one.
    const QString text = CodePage::decode(bytes);
    for (int index = 0; index < text.size(); ++index) {
        const char16_t code = text.at(index).unicode();
        if (code == u'\r' || code == u'\n')
            continue;
        QVERIFY2(code >= 0x20 && (code < 0x7F || code > 0x9F),
                 qPrintable(QStringLiteral("control U+%1 at %2").arg(int(code), 4, 16, QLatin1Char('0')).arg(index)));
    }
    bool lossless = false;
    QCOMPARE(CodePage::encode(text, &lossless), bytes);
    QVERIFY(lossless);
}

void TestShippedLayouts::fontSizeAndDirection()
{
    QFETCH(QString, fileName);
    const QByteArray bytes = shippedBytes(fileName);
    QVERIFY2(!bytes.isEmpty(), qPrintable(fileName));
    // The size falls back to 12 when line 2 does not convert, so the line itself is checked too.
    QVERIFY(bytes.startsWith("Arial\r\n12;0\r\n"));
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    QVERIFY(layout.fontName.has_value());
    QCOMPARE(*layout.fontName, QStringLiteral("Arial"));
    QCOMPARE(layout.textSize.value_or(-1), 12);
    QCOMPARE(layout.direction ? directionIndex(*layout.direction) : -1, 0);
}

void TestShippedLayouts::everyKeyOnceInOrder()
{
    QFETCH(QString, fileName);
    const QByteArray bytes = shippedBytes(fileName);
    QVERIFY2(!bytes.isEmpty(), qPrintable(fileName));
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    const auto &definitions = keyDefinitions();
    QCOMPARE(layout.keys.size(), qsizetype(definitions.size()));
    QSet<QString> seen;
    for (qsizetype index = 0; index < layout.keys.size(); ++index) {
        const QString &name = layout.keys.at(index).name;
        QVERIFY2(!seen.contains(name), qPrintable(name));
        seen.insert(name);
        QCOMPARE(name, definitions.at(size_t(index)).name);
    }
}

void TestShippedLayouts::oneCharacterPerKey()
{
    QFETCH(QString, fileName);
    const QByteArray bytes = shippedBytes(fileName);
    QVERIFY2(!bytes.isEmpty(), qPrintable(fileName));
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    QVERIFY(!layout.keys.isEmpty());
    QSet<QString> characters;
    for (const KeyCaption &key : layout.keys) {
        const QString character = typedCharacter(key.caption);
        QVERIFY2(character.size() == 1, qPrintable(key.name + QLatin1Char('=') + key.caption));
        QVERIFY2(character != QLatin1String("&") || key.caption == QLatin1String("&&"), qPrintable(key.name));
        // A blank key would look unused and type something the user cannot see.
        QVERIFY2(!character.at(0).isSpace(), qPrintable(key.name));
        // Keys are few: one offering a character another already offers is a key lost.
        QVERIFY2(!characters.contains(character), qPrintable(key.name + QLatin1Char('=') + key.caption));
        characters.insert(character);
    }
}

void TestShippedLayouts::letterKeysHoldTheAlphabet()
{
    QFETCH(QString, fileName);
    const QByteArray bytes = shippedBytes(fileName);
    QVERIFY2(!bytes.isEmpty(), qPrintable(fileName));
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    QString letters;
    for (const KeyCaption &key : layout.keys) {
        if (key.name.startsWith(QLatin1String("tch")))
            letters += key.caption;
    }
    std::sort(letters.begin(), letters.end());
    QCOMPARE(letters, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
}

void TestShippedLayouts::languageCharactersOffered()
{
    QFETCH(QString, fileName);
    QFETCH(QString, required);
    const QByteArray bytes = shippedBytes(fileName);
    QVERIFY2(!bytes.isEmpty(), qPrintable(fileName));
    const QSet<QString> offered = offeredCharacters(KeyboardLayoutFile::parse(bytes));
    for (const QChar character : required)
        QVERIFY2(offered.contains(QString(character)), qPrintable(QString(character)));
    for (char digit = '0'; digit <= '9'; ++digit)
        QVERIFY2(offered.contains(QString(QLatin1Char(digit))), qPrintable(QString(QLatin1Char(digit))));
    for (const char *mark : {".", ",", ";", ":", "!", "?"})
        QVERIFY2(offered.contains(QString::fromLatin1(mark)), mark);
}

void TestShippedLayouts::writeGivesBackTheBytes()
{
    QFETCH(QString, fileName);
    const QByteArray bytes = shippedBytes(fileName);
    QVERIFY2(!bytes.isEmpty(), qPrintable(fileName));
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    QVERIFY(layout.fontName.has_value());
    QCOMPARE(KeyboardLayoutFile::write(*layout.fontName, QStringLiteral("12"), 0, layout.keys), bytes);
}

QTEST_GUILESS_MAIN(TestShippedLayouts)
#include "tst_shippedlayouts.moc"
