#include "documents/saverules.h"

#include <QTest>

using SaveRules::Entries;
using Event = std::variant<SaveRules::Event, LookChange>;

class TestSaveRules : public QObject
{
    Q_OBJECT

private slots:
    void entriesAfter_data();
    void entriesAfter();
};

namespace {
const QString Named = QStringLiteral("/d/notes.tpo");

Event look(LookCause cause, std::optional<int> size, std::optional<Direction> direction = std::nullopt)
{
    return LookChange{{std::nullopt, size, direction}, cause};
}
} // namespace

void TestSaveRules::entriesAfter_data()
{
    QTest::addColumn<Event>("event");
    QTest::addColumn<QString>("document");   // the named document, also the file the open dialog chose last
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("save");
    const auto rightToLeft = Direction::RightToLeft;
    QTest::newRow("an edit, nothing named") << Event(SaveRules::Event::TextEdited) << QString() << true << false;
    QTest::newRow("an edit, named") << Event(SaveRules::Event::TextEdited) << Named << true << true;
    QTest::newRow("the user's size, tpo") << look(LookCause::User, 20) << Named << true << true;
    QTest::newRow("the user's size, txt") << look(LookCause::User, 20) << "/d/notes.txt" << true << false;
    QTest::newRow("the user's direction, tpo") << look(LookCause::User, {}, rightToLeft) << Named << false << true;
    QTest::newRow("a layout's look, nothing named") << look(LookCause::LayoutFile, 12, rightToLeft) << QString()
                                                    << true << false;
    QTest::newRow("the start's look") << look(LookCause::StartUp, 12) << QString() << true << false;
    QTest::newRow("a header's look waits for the name") << look(LookCause::DocumentHeader, 12, rightToLeft) << Named
                                                        << true << false;
    QTest::newRow("the header's document named") << Event(SaveRules::Event::HeaderOpened) << Named << false << true;
}

void TestSaveRules::entriesAfter()
{
    QFETCH(Event, event);
    QFETCH(QString, document);
    QFETCH(bool, saveAs);
    QFETCH(bool, save);
    QCOMPARE(SaveRules::entriesAfter({}, event, document, document), (Entries{saveAs, save}));
    // None of these disables an entry: only "Initialiser" and "Sauver" do.
    QCOMPARE(SaveRules::entriesAfter({true, true}, event, document, document), (Entries{true, true}));
}

QTEST_GUILESS_MAIN(TestSaveRules)
#include "tst_saverules.moc"
