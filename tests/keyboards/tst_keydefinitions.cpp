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
    // The design, row by row: the top, the left edges, the keys from left to right and their characters.
    struct DesignRow
    {
        int top;
        QList<int> lefts;
        const char *names;
        QString characters;
    };
    const QList<int> letters{8, 39, 70, 100, 131, 162, 193, 224, 255, 286};
    const QList<int> symbols{337, 363, 390, 421, 448, 474, 501, 528, 561, 587, 613};
    const DesignRow design[] = {
        {3, letters, "tchA tchZ tchE tchR tchT tchY tchU tchI tchO tchP", QStringLiteral("AZERTYUIOP")},
        {33, letters, "tchQ tchS tchD tchF tchG tchH tchJ tchK tchL tchM", QStringLiteral("QSDFGHJKLM")},
        {64, letters.mid(2, 6), "tchW tchX tchC tchV tchB tchN", QStringLiteral("WXCVBN")},
        {2, symbols, "Button27 Button28 Button29 Button3 Button4 Button52 Button9 Button7 Button13 Button14 Button15",
         QStringLiteral("123àâä@œ<>!")},
        {29, symbols, "Button31 Button32 Button33 Button1 Button2 Button30 Button11 Button6 Button16 Button17 Button18",
         QStringLiteral("456èêëéæ[]?")},
        {56, symbols, "Button34 Button35 Button36 Button51 Button49 Button53 Button55 Button10 Button19 Button20 Button21",
         QStringLiteral("789ìîïç&{}=")},
        {83, symbols, "Button37 Button38 Button39 Button8 Button48 Button54 Button44 Button43 Button22 Button23 Button24",
         QStringLiteral("0+%òôö;,()*")},
        {110, symbols, "Button25 Button26 Button41 Button5 Button40 Button50 Button42 Button12 Button45 Button46 Button47",
         QStringLiteral("€£$ùûü.#/\\:")},
    };
    for (const DesignRow &row : design) {
        const QStringList names = QString::fromLatin1(row.names).split(QLatin1Char(' '));
        for (int column = 0; column < names.size(); ++column) {
            const QString &name = names.at(column);
            const int size = name.startsWith(QLatin1String("tch")) ? 30 : 26;
            const QString character = row.characters.mid(column, 1);
            QTest::addRow("%s", qPrintable(name)) << name << QRect(row.lefts.at(column), row.top, size, size)
                                                  << (character == QLatin1String("&") ? QStringLiteral("&&") : character);
        }
    }
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
