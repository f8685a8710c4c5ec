#include "text/codepage.h"

#include <QSet>
#include <QTest>

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    void everyByteRoundTrips();
    void knownBytes_data();
    void knownBytes();
    void unencodableCharacters_data();
    void unencodableCharacters();
};

void TestCodePage::everyByteRoundTrips()
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));

    const QString text = CodePage::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);

    bool lossless = false;
    QCOMPARE(CodePage::encode(text, &lossless), all);
    QVERIFY(lossless);

    for (int byte = 0; byte < 256; ++byte) {
        unsigned char back = 0;
        QVERIFY2(CodePage::fromUnicode(CodePage::toUnicode(static_cast<unsigned char>(byte)), &back),
                 qPrintable(QString::number(byte)));
        QCOMPARE(int(back), byte);
    }
}

void TestCodePage::knownBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    QTest::newRow("A") << 0x41 << 0x41;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 0x81") << 0x81 << 0x81;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("OE") << 0x8C << 0x152;
    QTest::newRow("undefined 0x8D") << 0x8D << 0x8D;
    QTest::newRow("undefined 0x8F") << 0x8F << 0x8F;
    QTest::newRow("undefined 0x90") << 0x90 << 0x90;
    QTest::newRow("right quote") << 0x92 << 0x2019;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("undefined 0x9D") << 0x9D << 0x9D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x178;
    QTest::newRow("nbsp") << 0xA0 << 0xA0;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("y diaeresis") << 0xFF << 0xFF;
}

void TestCodePage::knownBytes()
{
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    QCOMPARE(int(CodePage::toUnicode(static_cast<unsigned char>(byte)).unicode()), codePoint);
}

void TestCodePage::unencodableCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("C1 control whose byte is the euro") << QString(QChar(0x80)) << QByteArray("?");
    QTest::newRow("cjk inside latin") << QStringLiteral("a日b") << QByteArray("a?b");
    QTest::newRow("ogonek") << QStringLiteral("ą") << QByteArray("?");
}

void TestCodePage::unencodableCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    bool lossless = true;
    QCOMPARE(CodePage::encode(text, &lossless), bytes);
    QVERIFY(!lossless);
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
