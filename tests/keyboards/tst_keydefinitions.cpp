#include "keyboards/keydefinitions.h"

#include <QRect>
#include <QSet>
#include <QTest>

class TestKeyDefinitions : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyOnce();
    void componentOrder_data();
    void componentOrder();
    void placesAndCaptions_data();
    void placesAndCaptions();
    void noKeysOverlap();
};

void TestKeyDefinitions::everyKeyOnce()
{
    const auto &keys = keyDefinitions();
    QCOMPARE(int(keys.size()), 81);
    QSet<QString> names;
    for (const KeyDefinition &key : keys)
        names.insert(key.name);
    QCOMPARE(names.size(), 81);
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        QVERIFY(names.contains(QStringLiteral("tch") + QLatin1Char(letter)));
    for (int number = 1; number <= 55; ++number)
        QVERIFY(names.contains(QStringLiteral("Button") + QString::number(number)));
}

void TestKeyDefinitions::componentOrder_data()
{
    // Keyboard files list their keys in this order; files made before must keep loading line for line.
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << QStringLiteral("tchA");
    QTest::newRow("last letter") << 25 << QStringLiteral("tchN");
    QTest::newRow("first symbol") << 26 << QStringLiteral("Button27");
    QTest::newRow("digits reversed") << 29 << QStringLiteral("Button33");
    QTest::newRow("ampersand") << 45 << QStringLiteral("Button10");
    QTest::newRow("middle") << 56 << QStringLiteral("Button14");
    QTest::newRow("backslash row") << 69 << QStringLiteral("Button46");
    QTest::newRow("last") << 80 << QStringLiteral("Button52");
}

void TestKeyDefinitions::componentOrder()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(keyDefinitions().at(index).name, name);
}

void TestKeyDefinitions::placesAndCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("tchA") << QStringLiteral("tchA") << QRect(8, 3, 30, 30) << QStringLiteral("A");
    QTest::newRow("tchM") << QStringLiteral("tchM") << QRect(286, 33, 30, 30) << QStringLiteral("M");
    QTest::newRow("tchW") << QStringLiteral("tchW") << QRect(70, 64, 30, 30) << QStringLiteral("W");
    QTest::newRow("Button27") << QStringLiteral("Button27") << QRect(337, 2, 26, 26) << QStringLiteral("1");
    QTest::newRow("Button10") << QStringLiteral("Button10") << QRect(528, 56, 26, 26) << QStringLiteral("&&");
    QTest::newRow("Button25") << QStringLiteral("Button25") << QRect(337, 110, 26, 26) << QStringLiteral("€");
    QTest::newRow("Button46") << QStringLiteral("Button46") << QRect(587, 110, 26, 26) << QStringLiteral("\\");
    QTest::newRow("Button47") << QStringLiteral("Button47") << QRect(613, 110, 26, 26) << QStringLiteral(":");
}

void TestKeyDefinitions::placesAndCaptions()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    for (const KeyDefinition &key : keyDefinitions()) {
        if (key.name == name) {
            QCOMPARE(QRect(key.left, key.top, key.size(), key.size()), geometry);
            QCOMPARE(key.caption, caption);
            return;
        }
    }
    QFAIL("key not found");
}

void TestKeyDefinitions::noKeysOverlap()
{
    const auto &keys = keyDefinitions();
    for (size_t first = 0; first < keys.size(); ++first) {
        const QRect a(keys[first].left, keys[first].top, keys[first].size(), keys[first].size());
        for (size_t second = first + 1; second < keys.size(); ++second) {
            const QRect b(keys[second].left, keys[second].top, keys[second].size(), keys[second].size());
            QVERIFY2(!a.intersects(b), qPrintable(keys[first].name + QLatin1Char('/') + keys[second].name));
        }
    }
}

QTEST_GUILESS_MAIN(TestKeyDefinitions)
#include "tst_keydefinitions.moc"
