#include "keyboards/characterset.h"

#include <QTest>

class TestCharacterSet : public QObject
{
    Q_OBJECT

private slots:
    void largeCaptions_data();
    void largeCaptions();
    void steppedIndex_data();
    void steppedIndex();
    void codeOfCaption_data();
    void codeOfCaption();
};

void TestCharacterSet::largeCaptions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("captions");
    const QString blank = QStringLiteral(" ");
    QTest::newRow("a to j") << 65
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                       QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g"), QStringLiteral("h"),
                       QStringLiteral("i"), QStringLiteral("j")};
    QTest::newRow("last item") << 223
        << QStringList{QStringLiteral("ÿ"), blank, blank, blank, blank, blank, blank, blank, blank, blank};
    QTest::newRow("ampersand doubled") << 6
        << QStringList{QStringLiteral("&&"), QStringLiteral("'"), QStringLiteral("("), QStringLiteral(")"),
                       QStringLiteral("*"), QStringLiteral("+"), QStringLiteral(","), QStringLiteral("-"),
                       QStringLiteral("."), QStringLiteral("/")};
    QTest::newRow("euro row") << 96
        << QStringList{QStringLiteral("€"), QString(QChar(0x81)), QStringLiteral("‚"), QStringLiteral("ƒ"),
                       QStringLiteral("„"), QStringLiteral("…"), QStringLiteral("†"), QStringLiteral("‡"),
                       QStringLiteral("ˆ"), QStringLiteral("‰")};
    QTest::newRow("nothing selected")
        << -1 << QStringList{blank, blank, blank, blank, blank, blank, blank, blank, blank, blank};
}

void TestCharacterSet::largeCaptions()
{
    QFETCH(int, index);
    QFETCH(QStringList, captions);
    QCOMPARE(CharacterSet::largeCaptions(index), captions);
}

void TestCharacterSet::steppedIndex_data()
{
    QTest::addColumn<int>("firstCode");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("index");
    QTest::newRow("a, down") << 97 << false << 70;
    QTest::newRow("a, up") << 97 << true << 60;
    QTest::newRow("index 3, down lowers to a multiple") << 35 << false << 5;
    QTest::newRow("multiple stays") << 37 << false << 10;
    QTest::newRow("first five, up stays at 0") << 34 << true << 0;
    QTest::newRow("index 0, up") << 32 << true << 0;
    QTest::newRow("index 5, up") << 37 << true << 0;
    QTest::newRow("last four, down stays at 220") << 253 << false << 220;
    QTest::newRow("index 220, down") << 252 << false << 220;
    QTest::newRow("index 215, down") << 247 << false << 220;
    QTest::newRow("last, up") << 255 << true << 215;
}

void TestCharacterSet::steppedIndex()
{
    QFETCH(int, firstCode);
    QFETCH(bool, up);
    QFETCH(int, index);
    QCOMPARE(CharacterSet::steppedIndex(firstCode, up), index);
}

void TestCharacterSet::codeOfCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("code");
    // What a button shows in place of a control character, which types nothing.
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << QStringLiteral("a") << 97 << QString();
    QTest::newRow("doubled ampersand") << QStringLiteral("&&") << 38 << QString();
    QTest::newRow("euro is 128, not its code point") << QStringLiteral("€") << 128 << QString();
    QTest::newRow("y diaeresis") << QStringLiteral("ÿ") << 255 << QString();
    QTest::newRow("empty") << QString() << -1 << QString();
    QTest::newRow("outside the code page") << QStringLiteral("日") << -1 << QString();
    QTest::newRow("escape from a layout file") << QStringLiteral("\x1b") << 27 << QStringLiteral("1B");
    QTest::newRow("tab") << QStringLiteral("\t") << 9 << QStringLiteral("09");
    QTest::newRow("DEL") << QString(QChar(0x7F)) << 127 << QStringLiteral("7F");
    QTest::newRow("undefined byte") << QString(QChar(0x81)) << 129 << QStringLiteral("81");
}

void TestCharacterSet::codeOfCaption()
{
    QFETCH(QString, caption);
    QFETCH(int, code);
    QFETCH(QString, shown);
    QCOMPARE(CharacterSet::codeOfCaption(caption), code);
    QCOMPARE(CharacterSet::shownCode(caption), shown);
}

QTEST_GUILESS_MAIN(TestCharacterSet)
#include "tst_characterset.moc"
