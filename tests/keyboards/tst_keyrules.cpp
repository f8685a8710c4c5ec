#include "keyboards/keyrules.h"

#include <QTest>

using KeyRules::LayoutEvent;
using Event = std::variant<LayoutEvent, LookChange>;

class TestKeyRules : public QObject
{
    Q_OBJECT

private slots:
    void keyboardModifiedAfter_data();
    void keyboardModifiedAfter();
};

namespace {
// A change of the parts named: f(amily), s(ize), d(irection).
Event look(LookCause cause, const QString &parts)
{
    TextLook changed;
    if (parts.contains(QLatin1Char('f')))
        changed.family = QStringLiteral("Arial");
    if (parts.contains(QLatin1Char('s')))
        changed.size = 14;
    if (parts.contains(QLatin1Char('d')))
        changed.direction = Direction::RightToLeft;
    return LookChange{changed, cause};
}
} // namespace

void TestKeyRules::keyboardModifiedAfter_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<Event>("event");
    QTest::addColumn<bool>("after");
    QTest::newRow("the user's font") << false << look(LookCause::User, "f") << true;
    QTest::newRow("the user's direction") << false << look(LookCause::User, "d") << true;
    QTest::newRow("the user's size alone") << false << look(LookCause::User, "s") << false;
    QTest::newRow("the user's size keeps a change") << true << look(LookCause::User, "s") << true;
    QTest::newRow("a layout's look") << true << look(LookCause::LayoutFile, "fsd") << false;
    QTest::newRow("a header's look") << true << look(LookCause::DocumentHeader, "fsd") << false;
    QTest::newRow("the start's look") << true << look(LookCause::StartUp, "fs") << false;
    QTest::newRow("a key remapped") << false << Event(LayoutEvent::KeyRemapped) << true;
    QTest::newRow("the keys' size stepped") << false << Event(LayoutEvent::KeySizeStepped) << true;
    QTest::newRow("a load that failed") << true << Event(LayoutEvent::LoadFailed) << false;
    QTest::newRow("saved") << true << Event(LayoutEvent::Saved) << false;
}

void TestKeyRules::keyboardModifiedAfter()
{
    QFETCH(bool, before);
    QFETCH(Event, event);
    QFETCH(bool, after);
    QCOMPARE(KeyRules::keyboardModifiedAfter(before, event), after);
}

QTEST_GUILESS_MAIN(TestKeyRules)
#include "tst_keyrules.moc"
