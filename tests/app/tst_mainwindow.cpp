#include "app/helpwindow.h"
#include "keyboards/updownarrows.h"
#include "keyboards/keyboardfiles.h"
#include "keyboards/keyboardpage.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWindow>

#include <memory>

class TestMainWindow : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAsDesigned();
    void menusInOrder();
    void cannotShrinkBelowDesignSize_data();
    void cannotShrinkBelowDesignSize();
    void paintsForTheSplash();
    void keyClicksWriteText_data();
    void keyClicksWriteText();
    void directionGroupReachesInsertion();
    void fontReachesKeysCharactersAndLists();
    void panelButtonsAreWired();
    void caseSwitchTouchesAsciiLettersOnly();
    void keySizeStepsWithinBounds_data();
    void keySizeStepsWithinBounds();
    void dwellClicksTypingButtonsOnly_data();
    void dwellClicksTypingButtonsOnly();
    void helpOpensAtItsContext();
    void controlsAreNamedInFrench();
    void scrollingControlsAreNamedInFrench_data();
    void scrollingControlsAreNamedInFrench();
    void designedColoursHoldUnderDarkTheme();

private:
    void toggleThroughAccessibility(QAbstractButton *button);

};

void TestMainWindow::init()
{
    QVERIFY(startWindow());
}

void TestMainWindow::cleanup()
{
    m_window.reset();
}

void TestMainWindow::startsAsDesigned()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tapoli v4.2 -- Pas de fichier"));
    QCOMPARE(m_window->size(), QSize(719, 434));
    QCOMPARE(m_window->minimumSize(), QSize(719, 434));
    QVERIFY(!m_window->keyboardFiles().isModified());
    QCOMPARE(child<QLabel>(QStringLiteral("nomClavier"))->text(), QStringLiteral("<...>"));
    // Applying the start font counts as a font choice, which offers "Sauver sous..." but not "Sauver".
    QVERIFY(child<QAction>(QStringLiteral("SauverSous"))->isEnabled());
    QVERIFY(!child<QAction>(QStringLiteral("Sauver"))->isEnabled());
    QCOMPARE(child<QWidget>(QStringLiteral("Panel1"))->height(), 217);
    QCOMPARE(child<QPushButton>(QStringLiteral("tchA"))->font().pointSize(), 10);
    QCOMPARE(child<QPushButton>(QStringLiteral("Button27"))->font().pointSize(), 10);
    QVERIFY(child<QPlainTextEdit>(QStringLiteral("texte"))->hasFocus());
    QVERIFY(child<QRadioButton>(QStringLiteral("maju"))->isChecked());
}

void TestMainWindow::menusInOrder()
{
    QStringList captions;
    for (const QAction *action : m_window->menuBar()->actions())
        captions << action->text();
    QCOMPARE(captions, (QStringList{QStringLiteral("[ Quitter ]"), QStringLiteral("[ Fichier ]"),
                                    QStringLiteral("[ Edition ]"), QStringLiteral("[ Donation de soutien ]"),
                                    QStringLiteral("[ Aide ]")}));
    QStringList fichier;
    for (const QAction *action : child<QMenu>(QStringLiteral("Fichier"))->actions())
        fichier << action->text();
    QCOMPARE(fichier, (QStringList{QStringLiteral("Charger..."), QStringLiteral("Sauver sous..."),
                                   QStringLiteral("Sauver")}));
    QStringList edition;
    for (const QAction *action : child<QMenu>(QStringLiteral("Edition"))->actions())
        edition << action->text();
    QCOMPARE(edition, (QStringList{QStringLiteral("Copier tout"), QStringLiteral("Coller"),
                                   QStringLiteral("Écrire dans la fenêtre active"),
                                   QStringLiteral("Toujours au premier plan"), QStringLiteral("Clic automatique"),
                                   QStringLiteral("Délai du clic automatique"),
                                   QStringLiteral("Rechercher un caractère...")}));
    QCOMPARE(child<QAction>(QStringLiteral("RechercherCaractere"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    QVERIFY2(!m_window->findChild<QWidget *>(QStringLiteral("RechercheCaractere")), "built before it was asked for");
    QStringList delays;
    for (const QAction *action : child<QMenu>(QStringLiteral("DelaiClicAutomatique"))->actions())
        delays << action->text() + (action->isChecked() ? QStringLiteral(" (choisi)") : QString());
    QCOMPARE(delays, (QStringList{QStringLiteral("0,5 s"), QStringLiteral("0,8 s"), QStringLiteral("1,2 s (choisi)"),
                                  QStringLiteral("2 s")}));
    // Where no display is there to type into, the entry is greyed and says why.
    emit child<QMenu>(QStringLiteral("Edition"))->aboutToShow();
    QVERIFY(!child<QAction>(QStringLiteral("EcrireFenetreActive"))->isEnabled());
    QCOMPARE(child<QAction>(QStringLiteral("EcrireFenetreActive"))->toolTip(),
             QStringLiteral("Possible seulement sur un affichage X11 ou Wayland."));
}

void TestMainWindow::cannotShrinkBelowDesignSize_data()
{
    QTest::addColumn<bool>("fromOutside");
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("kept");
    QTest::newRow("by the program") << false << QSize(500, 300) << QSize(719, 434);
    // As another program or the window system sets it, where no window manager holds the minimum.
    QTest::newRow("from outside") << true << QSize(500, 300) << QSize(719, 434);
    QTest::newRow("from outside, too narrow only") << true << QSize(500, 600) << QSize(719, 600);
}

void TestMainWindow::cannotShrinkBelowDesignSize()
{
    QFETCH(bool, fromOutside);
    QFETCH(QSize, asked);
    QFETCH(QSize, kept);
    if (fromOutside)
        m_window->windowHandle()->resize(asked);
    else
        m_window->resize(asked);
    QTRY_COMPARE(m_window->size(), kept);
    QTRY_COMPARE(m_window->windowHandle()->size(), kept);
    m_window->resize(900, 600);
    QCOMPARE(m_window->size(), QSize(900, 600));
    QCOMPARE(child<QWidget>(QStringLiteral("Panel1"))->height(), 217);
}

void TestMainWindow::paintsForTheSplash()
{
    QSignalSpy painted(m_window.get(), &MainWindow::painted);
    m_window->update();
    QVERIFY(painted.wait());
    // Qt's own captions turn French once the window has painted.
    QTRY_COMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
}

void TestMainWindow::keyClicksWriteText_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << QStringList{QStringLiteral("tchE"), QStringLiteral("tchT")} << QStringLiteral("ET");
    QTest::newRow("ampersand key") << QStringList{QStringLiteral("Button10")} << QStringLiteral("&");
    QTest::newRow("euro and backslash") << QStringList{QStringLiteral("Button25"), QStringLiteral("Button46")}
                                        << QStringLiteral("€\\");
}

void TestMainWindow::keyClicksWriteText()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, text);
    auto *texte = child<QPlainTextEdit>(QStringLiteral("texte"));
    for (const QString &key : keys) {
        // A pressed key leaves the focus in the text, as a keyboard's keys do.
        QTest::mousePress(child<QPushButton>(key), Qt::LeftButton);
        if (key != keys.first())
            QCOMPARE(QApplication::focusWidget(), texte);
        QTest::mouseRelease(child<QPushButton>(key), Qt::LeftButton);
    }
    QCOMPARE(texte->toPlainText(), text);
    QVERIFY(child<QAction>(QStringLiteral("SauverSous"))->isEnabled());
}

void TestMainWindow::directionGroupReachesInsertion()
{
    auto *texte = child<QPlainTextEdit>(QStringLiteral("texte"));
    QTest::mouseClick(child<QRadioButton>(QStringLiteral("Alignement1")), Qt::LeftButton);
    QVERIFY(m_window->keyboardFiles().isModified());
    QCOMPARE(texte->document()->defaultTextOption().alignment(), Qt::AlignRight);
    QCOMPARE(texte->document()->defaultTextOption().textDirection(), Qt::RightToLeft);
    for (const QString &key : {QStringLiteral("tchA"), QStringLiteral("tchB"), QStringLiteral("tchC")})
        QTest::mouseClick(child<QPushButton>(key), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QStringLiteral("CBA"));
    QCOMPARE(texte->textCursor().position(), 0);

    QTest::mouseClick(child<QRadioButton>(QStringLiteral("Alignement0")), Qt::LeftButton);
    QCOMPARE(texte->document()->defaultTextOption().alignment(), Qt::AlignLeft);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchD")), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QStringLiteral("DCBA"));

    // An assistive tool toggles the radio button without a click: the direction follows all the same.
    toggleThroughAccessibility(child<QRadioButton>(QStringLiteral("Alignement1")));
    for (const QString &key : {QStringLiteral("tchE"), QStringLiteral("tchF")})
        QTest::mouseClick(child<QPushButton>(key), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QStringLiteral("DFECBA"));
}

void TestMainWindow::fontReachesKeysCharactersAndLists()
{
    auto *polices = child<QComboBox>(QStringLiteral("polices"));
    QVERIFY2(polices->count() >= 2, "the test needs two installed scalable fonts");
    const QString family = polices->itemText(polices->count() - 1);
    const QString untouched = child<QPushButton>(QStringLiteral("entree"))->font().family();
    QVERIFY(family != untouched);
    child<QAction>(QStringLiteral("SauverSous"))->setEnabled(false);
    child<QAction>(QStringLiteral("RechercherCaractere"))->trigger();

    polices->setCurrentIndex(polices->count() - 1);
    emit polices->activated(polices->count() - 1);

    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("texte"))->font().family(), family);
    for (const QString &name : {QStringLiteral("tchA"), QStringLiteral("Button27"), QStringLiteral("t065"),
                                QStringLiteral("bG1"), QStringLiteral("resultat1"), QStringLiteral("recherche")})
        QCOMPARE(child<QWidget>(name)->font().family(), family);
    for (const QString &name : {QStringLiteral("ListBox1"), QStringLiteral("ListBox2")})
        QCOMPARE(child<QListWidget>(name)->font().family(), family);
    QCOMPARE(child<QPushButton>(QStringLiteral("entree"))->font().family(), untouched);
    QVERIFY(m_window->keyboardFiles().isModified());
    QVERIFY(child<QAction>(QStringLiteral("SauverSous"))->isEnabled());
    QVERIFY(!child<QAction>(QStringLiteral("Sauver"))->isEnabled());
}

void TestMainWindow::panelButtonsAreWired()
{
    auto *texte = child<QPlainTextEdit>(QStringLiteral("texte"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchA")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("btespace")), Qt::LeftButton);
    QCOMPARE(child<QPushButton>(QStringLiteral("btespace"))->text(), QStringLiteral("<ESPACE>"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchB")), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QStringLiteral("A B"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("supprimer")), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QStringLiteral("A "));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("entree")), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QStringLiteral("A \n"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("copie")), Qt::LeftButton);
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Texte copié dans le presse-papier. ")});
    QApplication::clipboard()->clear();
    child<QAction>(QStringLiteral("CopierTout"))->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("A \n"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("sup")), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QString());
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchC")), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Initialiser")), Qt::LeftButton);
    QCOMPARE(texte->toPlainText(), QString());
    QVERIFY(!child<QAction>(QStringLiteral("SauverSous"))->isEnabled());
    QVERIFY(!child<QAction>(QStringLiteral("Sauver"))->isEnabled());

    // "[ Quitter ]" runs the exit dialogue: an unsaved text is asked about, and Cancel stays.
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchC")), Qt::LeftButton);
    child<QAction>(QStringLiteral("Quitter"))->trigger();
    QCOMPARE(m_prompter.texts().last(), QStringLiteral("Voulez-vous sauvegarder le texte saisi ?"));
    QVERIFY(m_window->isVisible());
}

void TestMainWindow::caseSwitchTouchesAsciiLettersOnly()
{
    child<QPushButton>(QStringLiteral("tchE"))->setText(QStringLiteral("É"));
    child<QPushButton>(QStringLiteral("tchR"))->setText(QStringLiteral("7"));
    QTest::mouseClick(child<QRadioButton>(QStringLiteral("Mini")), Qt::LeftButton);
    QCOMPARE(child<QPushButton>(QStringLiteral("tchA"))->text(), QStringLiteral("a"));
    QCOMPARE(child<QPushButton>(QStringLiteral("tchN"))->text(), QStringLiteral("n"));
    QCOMPARE(child<QPushButton>(QStringLiteral("tchE"))->text(), QStringLiteral("É"));
    QCOMPARE(child<QPushButton>(QStringLiteral("tchR"))->text(), QStringLiteral("7"));
    QCOMPARE(child<QPushButton>(QStringLiteral("Button3"))->text(), QStringLiteral("à"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("tchA")), Qt::LeftButton);
    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("texte"))->toPlainText(), QStringLiteral("a"));
    QTest::mouseClick(child<QRadioButton>(QStringLiteral("maju")), Qt::LeftButton);
    QCOMPARE(child<QPushButton>(QStringLiteral("tchA"))->text(), QStringLiteral("A"));
    toggleThroughAccessibility(child<QRadioButton>(QStringLiteral("Mini")));
    QCOMPARE(child<QPushButton>(QStringLiteral("tchA"))->text(), QStringLiteral("a"));
}

void TestMainWindow::keySizeStepsWithinBounds_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("modified");
    QTest::newRow("8 down stays") << 8 << false << 8 << false;
    QTest::newRow("9 down") << 9 << false << 8 << true;
    QTest::newRow("21 up stays") << 21 << true << 21 << false;
    QTest::newRow("20 up") << 20 << true << 21 << true;
    QTest::newRow("10 up") << 10 << true << 11 << true;
}

void TestMainWindow::keySizeStepsWithinBounds()
{
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(int, size);
    QFETCH(bool, modified);
    child<KeyboardPage>(QStringLiteral("Clavier"))->setKeyFontSize(start);
    child<QAction>(QStringLiteral("RechercherCaractere"))->trigger();
    const QFont entree = child<QPushButton>(QStringLiteral("entree"))->font();
    const QFont large = child<QPushButton>(QStringLiteral("bG1"))->font();
    auto *arrows = child<UpDownArrows>(QStringLiteral("UpDown2"));
    QTest::mouseClick(up ? arrows->upButton() : arrows->downButton(), Qt::LeftButton);
    QCOMPARE(child<QPushButton>(QStringLiteral("tchA"))->font().pointSize(), size);
    QCOMPARE(child<QPushButton>(QStringLiteral("Button55"))->font().pointSize(), size);
    QCOMPARE(child<QPushButton>(QStringLiteral("t065"))->font().pointSize(), size);
    QCOMPARE(child<QPushButton>(QStringLiteral("resultat1"))->font().pointSize(), size);
    QCOMPARE(child<QPushButton>(QStringLiteral("entree"))->font(), entree);
    QCOMPARE(child<QPushButton>(QStringLiteral("bG1"))->font(), large);
    QCOMPARE(m_window->keyboardFiles().isModified(), modified);
}

void TestMainWindow::dwellClicksTypingButtonsOnly_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");   // empty: the button never dwells
    QTest::newRow("key") << 0 << "tchE" << "E";
    QTest::newRow("character button") << 1 << "t065" << "A";
    QTest::newRow("large button") << 2 << "bG1" << "a";
    QTest::newRow("space") << 0 << "btespace" << " ";
    QTest::newRow("enter") << 0 << "entree" << "\n";
    QTest::newRow("clear opens a question") << 0 << "Initialiser" << "";
    QTest::newRow("exit") << 0 << "Quitte" << "";
    QTest::newRow("layout loading") << 0 << "ChargeClavier" << "";
    QTest::newRow("search result") << -1 << "resultat1" << "é";
}

void TestMainWindow::dwellClicksTypingButtonsOnly()
{
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(QString, text);
    if (page < 0) {
        child<QAction>(QStringLiteral("RechercherCaractere"))->trigger();
        child<QLineEdit>(QStringLiteral("recherche"))->setText(QStringLiteral("&eacute;"));
    } else {
        child<QTabWidget>(QStringLiteral("tables"))->setCurrentIndex(page);
    }
    child<QAction>(QStringLiteral("ClicAutomatique"))->trigger();
    child<QMenu>(QStringLiteral("DelaiClicAutomatique"))->actions().first()->trigger();
    auto *rested = child<QAbstractButton>(button);
    const auto marked = [rested] { return rested->findChild<QWidget *>(QStringLiteral("marqueClicAutomatique")) != nullptr; };
    QWindow *window = rested->window()->windowHandle();
    const QPoint centre = rested->mapTo(rested->window(), rested->rect().center());
    const QPoint away(300, 100);
    // Qt tells a widget the pointer came in only once it has seen the pointer somewhere on the window.
    QTest::mouseMove(window, away);
    QTest::mouseMove(window, centre);
    QCOMPARE(marked(), !text.isEmpty());
    if (text.isEmpty())
        return;
    QTRY_COMPARE(child<QPlainTextEdit>(QStringLiteral("texte"))->toPlainText(), text);
    // Resting on, or trembling, never clicks again; moving on a few pixels does.
    QVERIFY(!marked());
    QTest::mouseMove(window, centre + QPoint(2, 1));
    QVERIFY(!marked());
    QTest::mouseMove(window, centre + QPoint(5, 4));
    QVERIFY(marked());
    // Leaving before the end cancels (elsewhere than the first move: Qt drops a move to where it already is).
    QTest::mouseMove(window, away + QPoint(1, 1));
    QVERIFY(!marked());
    QCOMPARE(child<QPlainTextEdit>(QStringLiteral("texte"))->toPlainText(), text);
}

void TestMainWindow::helpOpensAtItsContext()
{
    child<QAction>(QStringLiteral("Aide"))->trigger();
    QVERIFY(m_window->helpWindow());
    QVERIFY(m_window->helpWindow()->isVisible());
    QCOMPARE(m_window->helpWindow()->currentPage(), QStringLiteral("qrc:/help/index.html"));

    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(child<QPushButton>(QStringLiteral("tchA")), Qt::Key_F1);
    QCOMPARE(m_window->helpWindow()->currentPage(), QStringLiteral("qrc:/help/fenetre.html"));
}

void TestMainWindow::controlsAreNamedInFrench()
{
    // What a screen reader announces: every control by a name, and every window as a window.
    const QList<QAccessible::Role> controls{QAccessible::Button, QAccessible::CheckBox, QAccessible::RadioButton,
                                            QAccessible::ComboBox, QAccessible::SpinBox, QAccessible::EditableText,
                                            QAccessible::List, QAccessible::PageTab};
    QStringList unnamed;
    child<QAction>(QStringLiteral("RechercherCaractere"))->trigger();
    child<QLineEdit>(QStringLiteral("recherche"))->setText(QStringLiteral("e"));
    auto *tables = child<QTabWidget>(QStringLiteral("tables"));
    for (int page = 0; page < tables->count(); ++page) {
        tables->setCurrentIndex(page);
        for (QWidget *widget : m_window->findChildren<QWidget *>()) {
            QAccessibleInterface *control = QAccessible::queryAccessibleInterface(widget);
            if (widget->isVisibleTo(m_window.get()) && control && controls.contains(control->role())
                && control->text(QAccessible::Name).isEmpty())
                unnamed << widget->objectName() + QLatin1Char(' ') + widget->metaObject()->className();
        }
    }
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(QAccessible::queryAccessibleInterface(child<QWidget>(QStringLiteral("RechercheCaractere")))->role(),
             QAccessible::Window);
    child<QAction>(QStringLiteral("Aide"))->trigger();
    QCOMPARE(QAccessible::queryAccessibleInterface(m_window->helpWindow())->role(), QAccessible::Window);
}

void TestMainWindow::scrollingControlsAreNamedInFrench_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("control");   // the scroll bar's orientation, or the arrow's object name
    QTest::addColumn<QString>("name");
    QTest::newRow("the text's horizontal bar") << "texte" << "horizontal" << "Défilement horizontal du texte";
    QTest::newRow("the text's vertical bar") << "texte" << "vertical" << "Défilement vertical du texte";
    QTest::newRow("the notebook's left arrow") << "tables" << "ScrollLeftButton" << "Onglets précédents";
    QTest::newRow("the notebook's right arrow") << "tables" << "ScrollRightButton" << "Onglets suivants";
}

void TestMainWindow::scrollingControlsAreNamedInFrench()
{
    QFETCH(QString, owner);
    QFETCH(QString, control);
    QFETCH(QString, name);
    // Named for good: Qt's own captions turning French after the first paint leave the names as they are.
    QTRY_COMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
    QWidget *named = nullptr;
    if (auto *texte = qobject_cast<QPlainTextEdit *>(child<QWidget>(owner)))
        named = control == QLatin1String("horizontal") ? texte->horizontalScrollBar() : texte->verticalScrollBar();
    else
        named = child<QTabWidget>(owner)->tabBar()->findChild<QToolButton *>(control);
    QVERIFY(named);
    QCOMPARE(QAccessible::queryAccessibleInterface(named)->text(QAccessible::Name), name);
}

void TestMainWindow::toggleThroughAccessibility(QAbstractButton *button)
{
    QAccessibleInterface *control = QAccessible::queryAccessibleInterface(button);
    QVERIFY(control && control->actionInterface());
    control->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(button->isChecked());
}

void TestMainWindow::designedColoursHoldUnderDarkTheme()
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 55));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    MainWindow window(m_prompter, m_launcher, {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.grab().toImage();
    QApplication::setPalette(light);

    // The form keeps its designed colour and dark text on it; the text area keeps white and black.
    auto *label = window.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(label->palette().color(QPalette::Window), QColor(240, 202, 166));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    const QPoint inPanel = window.findChild<QWidget *>(QStringLiteral("Panel1"))->mapTo(&window, QPoint(30, 5));
    QCOMPARE(image.pixelColor(inPanel * image.devicePixelRatio()), QColor(240, 202, 166));
    QCOMPARE(window.menuBar()->palette().color(QPalette::ButtonText), QColor(Qt::black));
    // The notebook's pages are drawn in the theme's button colour; their labels follow its text colour.
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Label3"))->palette().color(QPalette::WindowText),
             QColor(230, 230, 230));
    auto *texte = window.findChild<QPlainTextEdit *>(QStringLiteral("texte"));
    QCOMPARE(texte->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(texte->palette().color(QPalette::Text), QColor(Qt::black));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
