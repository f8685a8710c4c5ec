#include "keyboards/charactersearchwindow.h"
#include "keyboards/updownarrows.h"
#include "windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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
    void searchResultsType_data();
    void searchResultsType();
    void searchShowsRecentsWhenEmpty();
    void searchLeavesTheUndoToAnnuler();
    void searchResultMenuCopies_data();
    void searchResultMenuCopies();

private:
    CharacterSearchWindow *openSearch(const QString &query);
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
    QTest::newRow("Rechercher un caractère") << -1 << QStringLiteral("resultat1") << QStringLiteral("recherche") << true;
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

    if (page < 0)
        openSearch(QStringLiteral("e"));
    else
        child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(page);
    auto *button = child<QPushButton>(probe);
    QVERIFY(button->isVisible());
    QCOMPARE(button->font().family(), family);
    if (takesKeySize)
        QCOMPARE(button->font().pointSize(), keySize);
    else
        QCOMPARE(button->font().pixelSize(), 53);
    QCOMPARE(child<QWidget>(list)->font().family(), family);
    if (auto *characters = qobject_cast<QListWidget *>(child<QWidget>(list)))
        QCOMPARE(characters->count(), 224);
}

CharacterSearchWindow *TestCharacterPages::openSearch(const QString &query)
{
    child<QAction>(QStringLiteral("RechercherCaractere"))->trigger();
    auto *search = child<CharacterSearchWindow>(QStringLiteral("RechercheCaractere"));
    auto *line = child<QLineEdit>(QStringLiteral("recherche"));
    line->setText(query);
    // A tool window counts as active with its main window; it is the focus that must come over.
    const bool active = QTest::qWaitFor([search] { return QApplication::activeWindow() == search; });
    return active && line->hasFocus() ? search : nullptr;
}

void TestCharacterPages::searchResultsType_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("keys");       // pressed in the line: e for Enter, d/u/l/r for the arrows
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<QString>("text");       // after an X typed from the keyboard page
    QTest::newRow("click on the first") << "cedille maj" << "" << false << "XÇ";
    QTest::newRow("Enter types the first") << "U+00AB" << "e" << false << "X«";
    QTest::newRow("arrows walk the results") << "e aigu" << "dre" << false << "Xé";
    QTest::newRow("typed again from a result") << "e aigu" << "drere" << false << "Xéé";
    QTest::newRow("up from the first row is the line again") << "e aigu" << "drue" << false << "XÉ";
    QTest::newRow("right to left") << "cedille maj" << "ee" << true << "ÇÇX";
}

void TestCharacterPages::searchResultsType()
{
    QFETCH(QString, query);
    QFETCH(QString, keys);
    QFETCH(bool, rightToLeft);
    QFETCH(QString, text);
    if (rightToLeft)
        QTest::mouseClick(child<QRadioButton>(QStringLiteral("Alignement1")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchX")), Qt::LeftButton);
    CharacterSearchWindow *search = openSearch(query);
    QVERIFY(search);
    // Ten to a row at the size it opens with, as the all-characters page has twenty.
    QCOMPARE(child<QWidget>(QStringLiteral("resultat10"))->pos(), QPoint(9 * child<QWidget>(QStringLiteral("resultat1"))->width(), 0));
    QCOMPARE(child<QWidget>(QStringLiteral("resultat11"))->x(), 0);
    if (keys.isEmpty())
        QTest::mouseClick(child<QPushButton>(QStringLiteral("resultat1")), Qt::LeftButton);
    for (const QChar key : keys) {
        static const QHash<QChar, Qt::Key> Keys{{u'e', Qt::Key_Return}, {u'd', Qt::Key_Down}, {u'u', Qt::Key_Up},
                                                {u'l', Qt::Key_Left}, {u'r', Qt::Key_Right}};
        QTest::keyClick(QApplication::focusWidget(), Keys.value(key));
    }
    QCOMPARE(texte()->toPlainText(), text);
    QVERIFY(search->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!search->isVisible());
}

void TestCharacterPages::searchShowsRecentsWhenEmpty()
{
    // A key, a button of the all-characters page, a list and the search itself all count, each once.
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchE")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("t233")), Qt::LeftButton);
    doubleClickItem(child<QListWidget>(QStringLiteral("ListBox1")), 128 - 32);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchE")), Qt::LeftButton);
    CharacterSearchWindow *search = openSearch(QStringLiteral("&laquo;"));
    QVERIFY(search);
    QTest::keyClick(child<QLineEdit>(QStringLiteral("recherche")), Qt::Key_Return);
    child<QLineEdit>(QStringLiteral("recherche"))->clear();
    QCOMPARE(child<QLabel>(QStringLiteral("titreResultats"))->text(), QStringLiteral("Récents"));
    QCOMPARE(search->shownCodes(), (QList<int>{171, 69, 128, 233}));
    QCOMPARE(child<QPushButton>(QStringLiteral("resultat1"))->accessibleName(), QStringLiteral("GUILLEMET GAUCHE"));
    QVERIFY(!child<QPushButton>(QStringLiteral("resultat5"))->isVisible());
}

void TestCharacterPages::searchLeavesTheUndoToAnnuler()
{
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchA")), Qt::LeftButton);
    QVERIFY(openSearch(QStringLiteral("&eacute;")));
    QTest::keyClick(child<QLineEdit>(QStringLiteral("recherche")), Qt::Key_Return);
    // Editing the search line after the character was typed is no edit of the text.
    QTest::keyClicks(child<QLineEdit>(QStringLiteral("recherche")), QStringLiteral("xyz"));
    QTest::keyClick(child<QLineEdit>(QStringLiteral("recherche")), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("Aé"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("supprimer")), Qt::LeftButton);
    QCOMPARE(texte()->toPlainText(), QStringLiteral("A"));
}

void TestCharacterPages::searchResultMenuCopies_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("copied");   // what each entry puts on the clipboard
    QTest::newRow("e acute") << "233" << QStringList{"Copier le caractère", "Copier le code (U+00E9)",
                                                     "Copier l'entité HTML (&eacute;)"}
                             << QStringList{"é", "U+00E9", "&eacute;"};
    QTest::newRow("a letter HTML names not") << "065" << QStringList{"Copier le caractère", "Copier le code (U+0041)",
                                                                    "Copier l'entité HTML (&#65;)"}
                                             << QStringList{"A", "U+0041", "&#65;"};
}

void TestCharacterPages::searchResultMenuCopies()
{
    QFETCH(QString, query);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, copied);
    QVERIFY(openSearch(query));
    auto *result = child<QPushButton>(QStringLiteral("resultat1"));
    emit result->customContextMenuRequested(result->rect().center());
    auto *menu = child<QMenu>(QStringLiteral("menuResultat"));
    QTRY_VERIFY(menu->isVisible());
    const QList<QAction *> actions = menu->actions();
    QStringList shown;
    for (const QAction *action : actions)
        shown << action->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
    QCOMPARE(shown, entries);
    for (int index = 0; index < actions.size(); ++index) {
        actions.at(index)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), copied.at(index));
    }
    menu->close();
    QCOMPARE(texte()->toPlainText(), QString());
}

QTEST_MAIN(TestCharacterPages)
#include "tst_characterpages.moc"
