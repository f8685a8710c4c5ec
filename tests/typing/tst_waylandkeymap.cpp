#include "typing/waylandkeymap.h"

#include <QList>
#include <QTest>

#include <algorithm>

class TestWaylandKeymap : public QObject
{
    Q_OBJECT

private slots:
    void characterKeys_data();
    void characterKeys();
    void keysLentAgainLeastRecentlyUsedFirst();
};

void TestWaylandKeymap::characterKeys_data()
{
    QTest::addColumn<uint>("character");
    QTest::addColumn<QByteArray>("keysym");
    QTest::newRow("A") << uint('A') << QByteArray("U0041");
    QTest::newRow("e acute") << 0xE9u << QByteArray("U00E9");
    QTest::newRow("oe") << 0x153u << QByteArray("U0153");
    QTest::newRow("euro") << 0x20ACu << QByteArray("U20AC");
    QTest::newRow("outside the BMP") << 0x1F600u << QByteArray("U1F600");
}

void TestWaylandKeymap::characterKeys()
{
    QFETCH(uint, character);
    QFETCH(QByteArray, keysym);
    WaylandKeymap keymap;
    bool remapped = false;
    const unsigned key = keymap.keyFor(char32_t(character), remapped);
    QVERIFY(remapped);
    const QByteArray name = "<K" + QByteArray::number(key + 8) + '>';
    const QByteArray text = keymap.text();
    QVERIFY(text.contains(name + " = " + QByteArray::number(key + 8) + ';'));
    QVERIFY(text.contains("key " + name + " { [ " + keysym + " ] };"));
    QVERIFY(text.contains("key <K22> { [ BackSpace ] };"));
    // The protocol counts the terminating NUL in the keymap's size.
    QCOMPARE(text.back(), '\0');
    // Typed again, the character keeps its key and needs no new keymap.
    QCOMPARE(keymap.keyFor(char32_t(character), remapped), key);
    QVERIFY(!remapped);
}

void TestWaylandKeymap::keysLentAgainLeastRecentlyUsedFirst()
{
    WaylandKeymap keymap;
    bool remapped = false;
    // Characters from U+0100 on, each on a key of its own until one comes back.
    QList<unsigned> keys;
    char32_t character = 0x100;
    for (unsigned key; !keys.contains(key = keymap.keyFor(character, remapped)); ++character)
        keys.append(key);
    QCOMPARE(keys.size(), 243);
    for (unsigned fixed : {WaylandKeymap::BackSpace, WaylandKeymap::Return, WaylandKeymap::Left, WaylandKeymap::Delete})
        QVERIFY(!keys.contains(fixed));
    // XWayland's programs know key codes below 256 only.
    QVERIFY(*std::max_element(keys.begin(), keys.end()) + 8 <= 255);
    // The one that came back is the first character's key; U+0101, typed again, keeps its own, so the next
    // new character takes U+0102's.
    QCOMPARE(keymap.keyFor(character, remapped), keys.at(0));
    QCOMPARE(keymap.keyFor(0x101, remapped), keys.at(1));
    QVERIFY(!remapped);
    QCOMPARE(keymap.keyFor(character + 1, remapped), keys.at(2));
    QVERIFY(remapped);
    const QByteArray text = keymap.text();
    QVERIFY(!text.contains("U0100"));
    QVERIFY(text.contains("U0101"));
    QVERIFY(!text.contains("U0102"));
}

QTEST_GUILESS_MAIN(TestWaylandKeymap)
#include "tst_waylandkeymap.moc"
