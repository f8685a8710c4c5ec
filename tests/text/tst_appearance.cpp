#include "scriptedprompter.h"
#include "text/appearance.h"
#include "text/colourswatch.h"
#include "text/fontlist.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
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

    void missingFontFallsBackToArial_data();
    void missingFontFallsBackToArial();
    void fontPickerIsSortedAndCanShowEachTypeface();
    void sizeBoxIgnoresWhatIsNotASize_data();
    void sizeBoxIgnoresWhatIsNotASize();
    void scrollBarChoice_data();
    void scrollBarChoice();
    void colourSwatches_data();
    void colourSwatches();

private:
    // The controls the appearance builds, found by their names.
    struct Controls
    {
        QComboBox *polices = nullptr;
        QCheckBox *CKpolice = nullptr;
        QSpinBox *Taillst = nullptr;
        ColourSwatch *Couleurfond = nullptr;
        ColourSwatch *Couleurtexte = nullptr;
        QComboBox *Ascenceurs = nullptr;
    };

    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit *m_texte = nullptr;
    Controls m_controls;
    ScriptedPrompter m_prompter;
    Appearance *m_appearance = nullptr;
};

void TestAppearance::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(440, 300);
    QWidget *window = m_window.get();
    m_texte = new QPlainTextEdit(window);
    m_texte->setGeometry(0, 60, 440, 150);
    m_prompter = ScriptedPrompter();
    m_appearance = new Appearance(m_texte, m_prompter, window);
    m_appearance->createColourBar(window)->setGeometry(0, 220, 440, 18);
    m_appearance->createTextControls(window);
    m_controls = {window->findChild<QComboBox *>(QStringLiteral("polices")),
                  window->findChild<QCheckBox *>(QStringLiteral("CKpolice")),
                  window->findChild<QSpinBox *>(QStringLiteral("Taillst")),
                  window->findChild<ColourSwatch *>(QStringLiteral("Couleurfond")),
                  window->findChild<ColourSwatch *>(QStringLiteral("Couleurtexte")),
                  window->findChild<QComboBox *>(QStringLiteral("Ascenceurs"))};
    m_appearance->fillFontPicker();
    m_appearance->apply({{}, 12, {}}, LookCause::StartUp);
    m_appearance->setColours(Qt::white, Qt::black);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestAppearance::cleanup()
{
    m_window.reset();
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
    QSignalSpy chosen(m_appearance, &Appearance::fontFamilyChanged);
    m_appearance->applyFontChoice();
    QCOMPARE(m_texte->font().family(), arialFamily());
    // What the keys, the pages and the lists take.
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().first().toString(), arialFamily());
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
        QTest::mouseClick(m_controls.CKpolice, Qt::LeftButton, {}, QPoint(6, 10));
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
    QTest::addColumn<bool>("digitByDigit");   // else in one edit, as a paste puts it
    QTest::newRow("valid") << QStringLiteral("14") << 14 << false;
    QTest::newRow("lowest") << QStringLiteral("6") << 6 << false;
    QTest::newRow("highest") << QStringLiteral("72") << 72 << false;
    QTest::newRow("too small") << QStringLiteral("5") << 12 << false;
    QTest::newRow("too large") << QStringLiteral("80") << 12 << false;
    QTest::newRow("not a number") << QStringLiteral("abc") << 12 << false;
    // Each size applies as the box holds it, before Enter: "80" passes through the size 8.
    QTest::newRow("20, digit by digit") << QStringLiteral("20") << 20 << true;
    QTest::newRow("80, digit by digit") << QStringLiteral("80") << 8 << true;
}

void TestAppearance::sizeBoxIgnoresWhatIsNotASize()
{
    QFETCH(QString, typed);
    QFETCH(int, size);
    QFETCH(bool, digitByDigit);
    m_appearance->apply({{}, 12, {}}, LookCause::StartUp);
    QLineEdit *editor = m_controls.Taillst->findChild<QLineEdit *>();
    m_controls.Taillst->setFocus();
    editor->selectAll();
    if (digitByDigit) {
        QTest::keyClicks(editor, typed);
        QCOMPARE(m_texte->font().pointSize(), size);
        QCOMPARE(editor->text(), typed);
    } else {
        editor->insert(typed);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(m_texte->font().pointSize(), size);
    QVERIFY(m_prompter.shown.isEmpty());
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
