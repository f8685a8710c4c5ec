#include "app/appstate.h"
#include "text/colourswatch.h"
#include "text/textsizebox.h"
#include "scriptedprompter.h"
#include "text/appearance.h"
#include "text/fontlist.h"
#include "text/textcommands.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <memory>

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fontReachesKeysCharactersAndLists();
    void missingFontFallsBackToArial_data();
    void missingFontFallsBackToArial();
    void fontPickerIsSortedAndCanShowEachTypeface();
    void sizeBoxIgnoresWhatIsNotASize_data();
    void sizeBoxIgnoresWhatIsNotASize();
    void changesOfferSaveForTapoliDocuments_data();
    void changesOfferSaveForTapoliDocuments();
    void scrollBarChoice_data();
    void scrollBarChoice();
    void colourSwatches_data();
    void colourSwatches();

private:
    QPushButton *button(const QString &name);

    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit *m_texte = nullptr;
    Appearance::Controls m_controls;
    QAction *m_saveAs = nullptr;
    QAction *m_save = nullptr;
    AppState m_state;
    ScriptedPrompter m_prompter;
    TextCommands *m_commands = nullptr;
    Appearance *m_appearance = nullptr;
};

void TestAppearance::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(400, 300);
    QWidget *window = m_window.get();
    m_texte = new QPlainTextEdit(window);
    m_controls.polices = new QComboBox(window);
    m_controls.CKpolice = new QCheckBox(window);
    m_controls.Taillst = new TextSizeBox(window);
    m_controls.Taillst->setRange(6, 72);
    m_controls.Taillst->setValue(12);
    m_controls.Taillst->move(0, 200);
    m_controls.Alignement = new QButtonGroup(window);
    m_controls.Alignement->addButton(new QRadioButton(window), 0);
    m_controls.Alignement->addButton(new QRadioButton(window), 1);
    m_controls.Alignement->button(0)->setChecked(true);
    m_controls.Couleurfond = new ColourSwatch(window);
    m_controls.Couleurfond->setGeometry(300, 0, 47, 13);
    m_controls.Couleurtexte = new ColourSwatch(window);
    m_controls.Couleurtexte->setGeometry(300, 20, 47, 13);
    m_controls.Ascenceurs = new QComboBox(window);
    m_controls.Ascenceurs->addItems({QStringLiteral("Les deux"), QStringLiteral("Horizontal"),
                                     QStringLiteral("Vertical"), QStringLiteral("Aucun")});
    for (const QString &name : {QStringLiteral("tchA"), QStringLiteral("Button27"), QStringLiteral("t065"),
                                QStringLiteral("bG1"), QStringLiteral("entree")}) {
        auto *key = new QPushButton(name, window);
        key->setObjectName(name);
    }
    for (const QString &name : {QStringLiteral("ListBox1"), QStringLiteral("ListBox2")})
        (new QListWidget(window))->setObjectName(name);

    m_saveAs = new QAction(window);
    m_save = new QAction(window);
    m_saveAs->setEnabled(false);
    m_save->setEnabled(false);
    m_state = AppState();
    m_prompter = ScriptedPrompter();
    m_commands = new TextCommands(m_texte, window, m_state, m_prompter, {m_saveAs, m_save}, window);
    m_appearance = new Appearance(m_controls, m_texte, window, m_state, m_prompter, *m_commands, window);
    m_appearance->fillFontPicker();
    m_appearance->setColours(Qt::white, Qt::black);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestAppearance::cleanup()
{
    m_window.reset();
}

QPushButton *TestAppearance::button(const QString &name)
{
    return m_window->findChild<QPushButton *>(name);
}

void TestAppearance::fontReachesKeysCharactersAndLists()
{
    QComboBox *polices = m_controls.polices;
    QVERIFY2(polices->count() >= 2, "the test needs two installed scalable fonts");
    const QString family = polices->itemText(polices->count() - 1);
    const QString untouched = button(QStringLiteral("entree"))->font().family();
    QVERIFY(family != untouched);

    polices->setCurrentIndex(polices->count() - 1);
    emit polices->activated(polices->count() - 1);

    QCOMPARE(m_texte->font().family(), family);
    for (const QString &name : {QStringLiteral("tchA"), QStringLiteral("Button27"), QStringLiteral("t065"),
                                QStringLiteral("bG1")})
        QCOMPARE(button(name)->font().family(), family);
    for (const QString &name : {QStringLiteral("ListBox1"), QStringLiteral("ListBox2")})
        QCOMPARE(m_window->findChild<QListWidget *>(name)->font().family(), family);
    QCOMPARE(button(QStringLiteral("entree"))->font().family(), untouched);
    QVERIFY(m_state.KeyboardModified);
    QVERIFY(m_saveAs->isEnabled());
    QVERIFY(!m_save->isEnabled());
}

void TestAppearance::missingFontFallsBackToArial_data()
{
    QTest::addColumn<bool>("caseDiffers");
    QTest::newRow("not installed") << false;
    QTest::newRow("installed, but the case differs") << true;
}

void TestAppearance::missingFontFallsBackToArial()
{
    QFETCH(bool, caseDiffers);
    const QString installed = m_controls.polices->itemText(m_controls.polices->count() - 1);
    QVERIFY(installed.toLower() != installed && installed != arialFamily());
    m_appearance->selectFont(caseDiffers ? installed.toLower() : QStringLiteral("No Such Font Anywhere"));
    QCOMPARE(m_controls.polices->currentIndex(), -1);
    m_appearance->policesChange();
    QCOMPARE(m_texte->font().family(), arialFamily());
    QCOMPARE(button(QStringLiteral("tchA"))->font().family(), arialFamily());
    QVERIFY(m_prompter.shown.isEmpty());
}

void TestAppearance::fontPickerIsSortedAndCanShowEachTypeface()
{
    QStringList names;
    for (int index = 0; index < m_controls.polices->count(); ++index)
        names << m_controls.polices->itemText(index);
    QVERIFY(std::is_sorted(names.begin(), names.end(),
                           [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }));

    // "police" checked: each name is drawn in its own typeface; unchecked, in the picker's.
    struct OpenDelegate : FontNameDelegate
    {
        using FontNameDelegate::initStyleOption;
    } drawn;
    auto *picker = qobject_cast<FontNameDelegate *>(m_controls.polices->itemDelegate());
    QVERIFY(picker);
    const QModelIndex last = m_controls.polices->model()->index(names.size() - 1, 0);
    for (bool checked : {true, false}) {
        QTest::mouseClick(m_controls.CKpolice, Qt::LeftButton);
        QCOMPARE(m_controls.CKpolice->isChecked(), checked);
        drawn.setOwnTypeface(picker->ownTypeface());
        QStyleOptionViewItem option;
        option.font = m_controls.polices->font();
        drawn.initStyleOption(&option, last);
        QCOMPARE(option.font.family() == names.last(), checked);
    }
}

void TestAppearance::sizeBoxIgnoresWhatIsNotASize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("size");
    QTest::newRow("valid") << QStringLiteral("14") << 14;
    QTest::newRow("lowest") << QStringLiteral("6") << 6;
    QTest::newRow("highest") << QStringLiteral("72") << 72;
    QTest::newRow("too small") << QStringLiteral("5") << 12;
    QTest::newRow("too large") << QStringLiteral("80") << 12;
    QTest::newRow("not a number") << QStringLiteral("abc") << 12;
}

void TestAppearance::sizeBoxIgnoresWhatIsNotASize()
{
    QFETCH(QString, typed);
    QFETCH(int, size);
    m_appearance->setTextSize(12);
    QLineEdit *editor = m_controls.Taillst->findChild<QLineEdit *>();
    m_controls.Taillst->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(m_texte->font().pointSize(), size);
    QVERIFY(m_prompter.shown.isEmpty());
    QVERIFY(!m_state.KeyboardModified);
}

void TestAppearance::changesOfferSaveForTapoliDocuments_data()
{
    QTest::addColumn<QString>("lastOpened");
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("saveAs");
    const QString tpo = QStringLiteral("/docs/notes.tpo");
    const QString upper = QStringLiteral("/docs/NOTES.XTPO");
    const QString txt = QStringLiteral("/docs/notes.txt");
    QTest::newRow("direction, tpo") << tpo << QStringLiteral("direction") << true << false;
    QTest::newRow("direction, upper-case xtpo") << upper << QStringLiteral("direction") << true << false;
    QTest::newRow("direction, txt") << txt << QStringLiteral("direction") << false << false;
    QTest::newRow("font, tpo") << tpo << QStringLiteral("font") << true << true;
    QTest::newRow("font, txt") << txt << QStringLiteral("font") << false << true;
    QTest::newRow("size, tpo") << tpo << QStringLiteral("size") << true << true;
    QTest::newRow("size, nothing opened") << QString() << QStringLiteral("size") << false << true;
}

void TestAppearance::changesOfferSaveForTapoliDocuments()
{
    QFETCH(QString, lastOpened);
    QFETCH(QString, change);
    QFETCH(bool, save);
    QFETCH(bool, saveAs);
    m_state.OpenDialog1.fileName = lastOpened;
    m_state.DocumentFileName = lastOpened;
    if (change == QLatin1String("direction"))
        QTest::mouseClick(m_controls.Alignement->button(1), Qt::LeftButton);
    else if (change == QLatin1String("font"))
        emit m_controls.polices->activated(0);
    else
        m_controls.Taillst->setValue(20);
    QCOMPARE(m_save->isEnabled(), save);
    QCOMPARE(m_saveAs->isEnabled(), saveAs);
    QCOMPARE(m_state.KeyboardModified, change != QLatin1String("size"));
}

void TestAppearance::scrollBarChoice_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("Les deux") << 0 << true << true;
    QTest::newRow("Horizontal") << 1 << true << false;
    QTest::newRow("Vertical") << 2 << false << true;
    QTest::newRow("Aucun") << 3 << false << false;
}

void TestAppearance::scrollBarChoice()
{
    QFETCH(int, index);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    m_controls.Ascenceurs->setCurrentIndex(index);
    emit m_controls.Ascenceurs->activated(index);
    QCOMPARE(m_texte->horizontalScrollBar()->isVisible(), horizontal);
    QCOMPARE(m_texte->verticalScrollBar()->isVisible(), vertical);
}

void TestAppearance::colourSwatches_data()
{
    QTest::addColumn<bool>("background");
    QTest::addColumn<QColor>("chosen");
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::newRow("background chosen") << true << QColor(Qt::yellow) << QColor(Qt::yellow) << QColor(Qt::black);
    QTest::newRow("background cancelled") << true << QColor() << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("text chosen") << false << QColor(Qt::red) << QColor(Qt::white) << QColor(Qt::red);
    QTest::newRow("text cancelled") << false << QColor() << QColor(Qt::white) << QColor(Qt::black);
}

void TestAppearance::colourSwatches()
{
    QFETCH(bool, background);
    QFETCH(QColor, chosen);
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    m_prompter.colours = {chosen};
    QTest::mouseClick(background ? m_controls.Couleurfond : m_controls.Couleurtexte, Qt::LeftButton);
    QCOMPARE(m_texte->palette().color(QPalette::Base), base);
    QCOMPARE(m_texte->palette().color(QPalette::Text), text);
    QCOMPARE(m_controls.Couleurfond->colour(), base);
    QCOMPARE(m_controls.Couleurtexte->colour(), text);
}

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
