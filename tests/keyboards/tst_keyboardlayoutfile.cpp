#include "keyboards/keydefinitions.h"
#include "keyboards/keyboardlayoutfile.h"
#include "shared/filenames.h"

#include <QFile>
#include <QTest>

using KeyboardLayoutFile::KeyCaption;
using KeyboardLayoutFile::Layout;

class TestKeyboardLayoutFile : public QObject
{
    Q_OBJECT

private slots:
    void sizeAndDirection_data();
    void sizeAndDirection();
    void keyLines_data();
    void keyLines();
    void fileEncodingsAndLineEnds_data();
    void fileEncodingsAndLineEnds();
    void defaultLayoutIsByteExact();
    void roundTrip_data();
    void roundTrip();
    void fileNames_data();
    void fileNames();
};

void TestKeyboardLayoutFile::sizeAndDirection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("hasFont");
    QTest::addColumn<int>("size");        // -1: none to apply
    QTest::addColumn<int>("direction");   // -1: left as it is
    QTest::newRow("font line only") << QByteArray("Arial\r\n") << true << 12 << -1;
    QTest::newRow("bare size keeps direction") << QByteArray("Arial\r\n14\r\n") << true << 14 << -1;
    QTest::newRow("size and direction") << QByteArray("Arial\r\n14;1\r\n") << true << 14 << 1;
    QTest::newRow("direction not a digit") << QByteArray("Arial\r\n14;x\r\n") << true << 12 << -1;
    QTest::newRow("nothing after the separator") << QByteArray("Arial\r\n14;\r\n") << true << 12 << -1;
    QTest::newRow("size not a number, direction kept") << QByteArray("Arial\r\nab;1\r\n") << true << 12 << 1;
    QTest::newRow("direction digit out of range") << QByteArray("Arial\r\n14;5\r\n") << true << 14 << -1;
    QTest::newRow("only the first character is the direction") << QByteArray("Arial\r\n9;10\r\n") << true << 9 << 1;
    QTest::newRow("size above the box") << QByteArray("Arial\r\n100;0\r\n") << true << 72 << 0;
    QTest::newRow("size below the box") << QByteArray("Arial\r\n3;0\r\n") << true << 6 << 0;
    QTest::newRow("empty file") << QByteArray() << false << -1 << -1;
}

void TestKeyboardLayoutFile::sizeAndDirection()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, hasFont);
    QFETCH(int, size);
    QFETCH(int, direction);
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    QCOMPARE(layout.fontName.has_value(), hasFont);
    if (hasFont)
        QCOMPARE(*layout.fontName, QStringLiteral("Arial"));
    QCOMPARE(layout.textSize.value_or(-1), size);
    QCOMPARE(layout.direction ? directionIndex(*layout.direction) : -1, direction);
    QVERIFY(layout.keys.isEmpty());
}

void TestKeyboardLayoutFile::keyLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QList<KeyCaption>>("keys");
    QTest::newRow("plain") << QByteArray("tchA=A") << QList<KeyCaption>{{QStringLiteral("tchA"), QStringLiteral("A")}};
    QTest::newRow("equals key") << QByteArray("tchA==") << QList<KeyCaption>{{QStringLiteral("tchA"), QStringLiteral("=")}};
    QTest::newRow("ampersand kept doubled") << QByteArray("tchQ=&&")
                                            << QList<KeyCaption>{{QStringLiteral("tchQ"), QStringLiteral("&&")}};
    QTest::newRow("no equals sign") << QByteArray("tchA") << QList<KeyCaption>{};
    QTest::newRow("empty caption") << QByteArray("Button3=") << QList<KeyCaption>{{QStringLiteral("Button3"), QString()}};
    QTest::newRow("unknown name is the caller's to ignore")
        << QByteArray("zzz=q") << QList<KeyCaption>{{QStringLiteral("zzz"), QStringLiteral("q")}};
}

void TestKeyboardLayoutFile::keyLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QList<KeyCaption>, keys);
    QCOMPARE(KeyboardLayoutFile::parse("Arial\r\n12;0\r\n" + line + "\r\n").keys, keys);
}

void TestKeyboardLayoutFile::fileEncodingsAndLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("caption");
    QTest::newRow("windows-1252, CR LF") << QByteArray("F\xE9\r\n12;0\r\ntchA=\x80\r\n") << QStringLiteral("Fé") << QStringLiteral("€");
    QTest::newRow("LF") << QByteArray("F\n12;0\ntchA=\x9C\n") << QStringLiteral("F") << QStringLiteral("œ");
    QTest::newRow("CR") << QByteArray("F\r12;0\rtchA=a") << QStringLiteral("F") << QStringLiteral("a");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF" "F\r\n12;0\r\ntchA=\xC3\xA9\r\n")
                                    << QStringLiteral("F") << QStringLiteral("é");
    QTest::newRow("UTF-8 without BOM") << QByteArray("F\r\n12;0\r\ntchA=\xE2\x82\xAC\r\n")
                                       << QStringLiteral("F") << QStringLiteral("€");
}

void TestKeyboardLayoutFile::fileEncodingsAndLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, font);
    QFETCH(QString, caption);
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    QCOMPARE(*layout.fontName, font);
    QCOMPARE(layout.textSize.value_or(-1), 12);
    QCOMPARE(layout.keys.size(), 1);
    QCOMPARE(layout.keys.first().caption, caption);
}

void TestKeyboardLayoutFile::defaultLayoutIsByteExact()
{
    QFile fixture(QFINDTESTDATA("../data/default-arial-12.cltpo"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    const QByteArray expected = fixture.readAll();

    QList<KeyCaption> keys;
    for (const KeyDefinition &key : keyDefinitions())
        keys.append({key.name, key.caption});
    QCOMPARE(KeyboardLayoutFile::write(QStringLiteral("Arial"), QStringLiteral("12"), 0, keys), expected);

    const Layout layout = KeyboardLayoutFile::parse(expected);
    QCOMPARE(*layout.fontName, QStringLiteral("Arial"));
    QCOMPARE(layout.direction ? directionIndex(*layout.direction) : -1, 0);
    QCOMPARE(layout.keys, keys);
}

void TestKeyboardLayoutFile::roundTrip_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("ampersand") << QStringLiteral("Arial") << QStringLiteral("&&") << false;
    QTest::newRow("undefined byte") << QStringLiteral("Arial") << QString(QChar(0x81)) << false;
    QTest::newRow("font name outside windows-1252") << QStringLiteral("Noto Sans 日本") << QStringLiteral("é") << true;
    QTest::newRow("windows-1252 that would read as UTF-8") << QStringLiteral("Ã©") << QStringLiteral("x") << true;
}

void TestKeyboardLayoutFile::roundTrip()
{
    QFETCH(QString, font);
    QFETCH(QString, caption);
    QFETCH(bool, utf8);
    const QList<KeyCaption> keys{{QStringLiteral("tchQ"), caption}, {QStringLiteral("Button21"), QStringLiteral("=")}};
    const QByteArray bytes = KeyboardLayoutFile::write(font, QStringLiteral("20"), 1, keys);
    QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), utf8);
    QVERIFY(bytes.endsWith("Button21==\r\n"));
    const Layout layout = KeyboardLayoutFile::parse(bytes);
    QCOMPARE(*layout.fontName, font);
    QCOMPARE(layout.textSize.value_or(-1), 20);
    QCOMPARE(layout.direction ? directionIndex(*layout.direction) : -1, 1);
    QCOMPARE(layout.keys, keys);
}

void TestKeyboardLayoutFile::fileNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("completed");
    QTest::addColumn<QString>("bare");
    QTest::newRow("no extension") << QStringLiteral("/k/mon") << QStringLiteral("/k/mon.cltpo") << QStringLiteral("mon");
    QTest::newRow("bare dot") << QStringLiteral("/k/mon.") << QStringLiteral("/k/mon.cltpo") << QStringLiteral("mon");
    QTest::newRow("other extension") << QStringLiteral("/k/mon.txt") << QStringLiteral("/k/mon.txt") << QStringLiteral("mon");
    QTest::newRow("dot in the folder") << QStringLiteral("/k.d/mon") << QStringLiteral("/k.d/mon.cltpo") << QStringLiteral("mon");
    QTest::newRow("two dots") << QStringLiteral("/k/a.b.cltpo") << QStringLiteral("/k/a.b.cltpo") << QStringLiteral("a.b");
}

void TestKeyboardLayoutFile::fileNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, completed);
    QFETCH(QString, bare);
    const QString path = FileNames::completeExtension(chosen, QStringLiteral("cltpo"));
    QCOMPARE(path, completed);
    QCOMPARE(FileNames::bareName(path), bare);
    QCOMPARE(KeyboardLayoutFile::proposedFileName(QStringLiteral("Arial"), QStringLiteral("12")),
             QStringLiteral("ClavierArial12.cltpo"));
}

QTEST_GUILESS_MAIN(TestKeyboardLayoutFile)
#include "tst_keyboardlayoutfile.moc"
