#include "keyboards/updownarrows.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

class TestCharacterPages : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyCodeHasItsButton_data();
    void everyCodeHasItsButton();
    void gridOrder_data();
    void gridOrder();
    void listsHoldEveryCharacter();
    void largeFormatOpensOnA();
    void clickingListShowsTenFromThere_data();
    void clickingListShowsTenFromThere();
    void spinnerSteps_data();
    void spinnerSteps();
    void largeButtonsInsert();
    void doubleClickInsertsDirectly();
    void doubleClickOnEmptyTextTakesNoSnapshot();
    void pagesBuiltLateTakeTheChosenLook_data();
    void pagesBuiltLateTakeTheChosenLook();

private:
    void doubleClickItem(QListWidget *list, int row);
    QPlainTextEdit *texte() { return child<QPlainTextEdit>(QStringLiteral("texte")); }
};

void TestCharacterPages::init()
{
    QVERIFY(startWindow());
}

void TestCharacterPages::cleanup()
{
    m_window.reset();
}

void TestCharacterPages::doubleClickItem(QListWidget *list, int row)
{
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    // An item view takes a double-click only on the item the first click pressed.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void TestCharacterPages::everyCodeHasItsButton_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("space") << QStringLiteral("t032") << QStringLiteral(" ") << QStringLiteral(" ");
    QTest::newRow("ampersand") << QStringLiteral("t038") << QStringLiteral("&&") << QStringLiteral("&");
    QTest::newRow("A") << QStringLiteral("t065") << QStringLiteral("A") << QStringLiteral("A");
    QTest::newRow("DEL") << QStringLiteral("t127") << QString(QChar(0x7F)) << QString();
    QTest::newRow("euro") << QStringLiteral("t128") << QStringLiteral("€") << QStringLiteral("€");
    QTest::newRow("undefined 129") << QStringLiteral("t129") << QString(QChar(0x81)) << QString();
    QTest::newRow("oe") << QStringLiteral("t156") << QStringLiteral("œ") << QStringLiteral("œ");
    QTest::newRow("y diaeresis") << QStringLiteral("t255") << QStringLiteral("ÿ") << QStringLiteral("ÿ");
}

void TestCharacterPages::everyCodeHasItsButton()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, inserted);
    int count = 0;
    for (const QPushButton *button : m_window->findChildren<QPushButton *>()) {
        const QString buttonName = button->objectName();
        if (buttonName.size() == 4 && buttonName.startsWith(QLatin1Char('t')) && buttonName.at(1).isDigit())
            ++count;
    }
    QCOMPARE(count, 224);

    child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(1);
    auto *button = child<QPushButton>(name);
    QCOMPARE(button->text(), caption);
    button->click();
    QCOMPARE(texte()->toPlainText(), inserted);
}

void TestCharacterPages::gridOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("first") << QStringLiteral("t032") << QPoint(18, 12);
    QTest::newRow("end of first row") << QStringLiteral("t051") << QPoint(584, 12);
    QTest::newRow("second row") << QStringLiteral("t052") << QPoint(18, 41);
    QTest::newRow("last full row") << QStringLiteral("t251") << QPoint(584, 302);
    QTest::newRow("twelfth row starts under column 9") << QStringLiteral("t252") << QPoint(256, 332);
    QTest::newRow("last") << QStringLiteral("t255") << QPoint(345, 332);
}

void TestCharacterPages::gridOrder()
{
    QFETCH(QString, name);
    QFETCH(QPoint, place);
    QCOMPARE(child<QPushButton>(name)->geometry(), QRect(place, QSize(30, 30)));
}

void TestCharacterPages::listsHoldEveryCharacter()
{
    for (const QString &name : {QStringLiteral("ListBox1"), QStringLiteral("ListBox2")}) {
        auto *list = child<QListWidget>(name);
        QCOMPARE(list->count(), 224);
        QCOMPARE(list->item(0)->text(), QStringLiteral(" "));
        QCOMPARE(list->item(33)->text(), QStringLiteral("A"));
        QCOMPARE(list->item(96)->text(), QStringLiteral("€"));
        QCOMPARE(list->item(223)->text(), QStringLiteral("ÿ"));
    }
}

void TestCharacterPages::largeFormatOpensOnA()
{
    QCOMPARE(child<QListWidget>(QStringLiteral("ListBox2"))->currentRow(), 65);
    QCOMPARE(child<QPushButton>(QStringLiteral("bG1"))->text(), QStringLiteral("a"));
    QCOMPARE(child<QPushButton>(QStringLiteral("bG5"))->text(), QStringLiteral("e"));
    QCOMPARE(child<QPushButton>(QStringLiteral("bG6"))->text(), QStringLiteral("f"));
    QCOMPARE(child<QPushButton>(QStringLiteral("bG0"))->text(), QStringLiteral("j"));
    // The eight lines of help beside the list all show, none cut at the bottom.
    auto *memo = child<QTextEdit>(QStringLiteral("Memo2"));
    QCOMPARE(memo->document()->blockCount(), 8);
    QVERIFY2(memo->document()->size().height() <= memo->viewport()->height(),
             qPrintable(QString::number(memo->document()->size().height())));
}

void TestCharacterPages::clickingListShowsTenFromThere_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("last item") << 223 << QStringLiteral("ÿ") << QStringLiteral(" ");
    QTest::newRow("ampersand") << 6 << QStringLiteral("&&") << QStringLiteral("/");
    QTest::newRow("four before the end") << 220 << QStringLiteral("ü") << QStringLiteral(" ");
}

void TestCharacterPages::clickingListShowsTenFromThere()
{
    QFETCH(int, row);
    QFETCH(QString, first);
    QFETCH(QString, last);
    child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(2);
    auto *list = child<QListWidget>(QStringLiteral("ListBox2"));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QCOMPARE(list->currentRow(), row);
    QCOMPARE(child<QPushButton>(QStringLiteral("bG1"))->text(), first);
    QCOMPARE(child<QPushButton>(QStringLiteral("bG0"))->text(), last);
}

void TestCharacterPages::spinnerSteps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("first");
    QTest::newRow("a, down") << 65 << false << 70 << QStringLiteral("f");
    QTest::newRow("a, up") << 65 << true << 60 << QStringLiteral("\\");
    QTest::newRow("index 3, down") << 3 << false << 5 << QStringLiteral("%");
    QTest::newRow("index 2, up") << 2 << true << 0 << QStringLiteral(" ");
    QTest::newRow("last, down") << 223 << false << 220 << QStringLiteral("ü");
}

void TestCharacterPages::spinnerSteps()
{
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(int, row);
    QFETCH(QString, first);
    child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(2);
    child<QListWidget>(QStringLiteral("ListBox2"))->setCurrentRow(start);
    auto *spinner = child<UpDownArrows>(QStringLiteral("UpDown1"));
    QTest::mouseClick(up ? spinner->upButton() : spinner->downButton(), Qt::LeftButton);
    QCOMPARE(child<QListWidget>(QStringLiteral("ListBox2"))->currentRow(), row);
    QCOMPARE(child<QPushButton>(QStringLiteral("bG1"))->text(), first);
}

void TestCharacterPages::largeButtonsInsert()
{
    child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(2);
    child<QListWidget>(QStringLiteral("ListBox2"))->setCurrentRow(6);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("bG1")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("bG0")), Qt::LeftButton);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("&/"));
}

void TestCharacterPages::doubleClickInsertsDirectly()
{
    texte()->setPlainText(QStringLiteral("hello"));
    QTextCursor cursor = texte()->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    texte()->setTextCursor(cursor);
    QTest::mouseClick(child<QRadioButton>(QStringLiteral("Alignement1")), Qt::LeftButton);

    doubleClickItem(child<QListWidget>(QStringLiteral("ListBox1")), 33);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("hAo"));
    QCOMPARE(texte()->textCursor().position(), 2);
    QVERIFY(texte()->hasFocus());

    child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(2);
    doubleClickItem(child<QListWidget>(QStringLiteral("ListBox2")), 96);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("hA€o"));

    QTest::mouseClick(child<QPushButton>(QStringLiteral("supprimer")), Qt::LeftButton);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("hAo"));
}

void TestCharacterPages::doubleClickOnEmptyTextTakesNoSnapshot()
{
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchA")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchB")), Qt::LeftButton);
    texte()->clear();
    doubleClickItem(child<QListWidget>(QStringLiteral("ListBox1")), 65);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("a"));
    // The snapshot is still the one taken before "B", not the empty text.
    QTest::mouseClick(child<QPushButton>(QStringLiteral("supprimer")), Qt::LeftButton);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("A"));
}


void TestCharacterPages::pagesBuiltLateTakeTheChosenLook_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("takesKeySize");
    QTest::newRow("Tous caractères") << 1 << QStringLiteral("t233") << QStringLiteral("ListBox1") << true;
    QTest::newRow("GRAND FORMAT") << 2 << QStringLiteral("bG1") << QStringLiteral("ListBox2") << false;
}

void TestCharacterPages::pagesBuiltLateTakeTheChosenLook()
{
    QFETCH(int, page);
    QFETCH(QString, probe);
    QFETCH(QString, list);
    QFETCH(bool, takesKeySize);
    // A window of its own: the one init() gives has every page open already.
    QVERIFY(startWindow({}, false));
    QVERIFY2(!m_window->findChild<QPushButton *>(probe), "start-up built a page nobody has opened");

    // Font and key size chosen while the page does not exist yet.
    auto *polices = child<QComboBox>(QStringLiteral("polices"));
    const int chosen = polices->currentIndex() == 0 ? polices->count() - 1 : 0;
    const QString family = polices->itemText(chosen);
    polices->setCurrentIndex(chosen);
    emit polices->activated(chosen);
    QTest::mouseClick(child<UpDownArrows>(QStringLiteral("UpDown2"))->upButton(), Qt::LeftButton);
    const int keySize = child<QPushButton>(QStringLiteral("tchA"))->font().pointSize();

    child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(page);
    auto *button = child<QPushButton>(probe);
    QVERIFY(button->isVisible());
    QCOMPARE(button->font().family(), family);
    if (takesKeySize)
        QCOMPARE(button->font().pointSize(), keySize);
    else
        QCOMPARE(button->font().pixelSize(), 53);
    QCOMPARE(child<QListWidget>(list)->font().family(), family);
    QCOMPARE(child<QListWidget>(list)->count(), 224);
}

QTEST_MAIN(TestCharacterPages)
#include "tst_characterpages.moc"
