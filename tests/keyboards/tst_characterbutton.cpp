#include "keyboards/characterbutton.h"
#include "keyboards/characterlist.h"
#include "windowfixture.h"

#include <QComboBox>
#include <QDrag>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <QWindow>

#include <memory>

namespace {

// Whether a drag left the button: Qt deletes each drag once it ends, and says so before.
class DragWatch : public QObject
{
public:
    explicit DragWatch(QWidget *source) : m_source(source) { qApp->installEventFilter(this); }
    bool started() const { return m_started || m_source->findChild<QDrag *>(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::DeferredDelete && watched->parent() == m_source && qobject_cast<QDrag *>(watched))
            m_started = true;
        return false;
    }

private:
    QWidget *m_source;
    bool m_started = false;
};

} // namespace

class TestCharacterButton : public QObject, private WindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tooltipDescribesTheCharacter_data();
    void tooltipDescribesTheCharacter();
    void missingGlyphsAreMarked();
    void accessibleNameFollowsTheCaption();
    void arrowsMoveWithinTheGrid_data();
    void arrowsMoveWithinTheGrid();
    void spaceAndEnterInsertAndKeepTheFocus_data();
    void spaceAndEnterInsertAndKeepTheFocus();
    void dragCarriesTheCharacterAsText_data();
    void dragCarriesTheCharacterAsText();
    void clickLandsWherePressed_data();
    void clickLandsWherePressed();

private:
    QString tooltipOf(QWidget *widget);

    QString m_partialFamily;
};

void TestCharacterButton::initTestCase()
{
    const int id = QFontDatabase::addApplicationFont(QFINDTESTDATA("../data/partial.ttf"));
    QVERIFY(id >= 0);
    m_partialFamily = QFontDatabase::applicationFontFamilies(id).value(0);
    QCOMPARE(m_partialFamily, QStringLiteral("Tapoli Partial Test"));
}

void TestCharacterButton::init()
{
    QVERIFY(startWindow());
}

void TestCharacterButton::cleanup()
{
    m_window.reset();
}

QString TestCharacterButton::tooltipOf(QWidget *widget)
{
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(widget, &help);
    const QString text = QToolTip::text();
    QToolTip::hideText();
    return text;
}

void TestCharacterButton::tooltipDescribesTheCharacter_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("e acute") << "t233"
        << "LETTRE MINUSCULE LATINE E ACCENT AIGU\nCode 233 (0xE9)\nUnicode U+00E9\nWindows : Alt+0233";
    QTest::newRow("euro key") << "Button25" << "SYMBOLE EURO\nCode 128 (0x80)\nUnicode U+20AC\nWindows : Alt+0128";
    QTest::newRow("ampersand key") << "Button10"
                                   << "PERLUÈTE\naussi : esperluette\nCode 38 (0x26)\nUnicode U+0026\nWindows : Alt+0038";
}

void TestCharacterButton::tooltipDescribesTheCharacter()
{
    QFETCH(QString, button);
    QFETCH(QString, tooltip);
    QCOMPARE(tooltipOf(child<CharacterButton>(button)), tooltip);
    // A screen reader gives the same details after the name.
    QCOMPARE(child<CharacterButton>(button)->accessibleDescription(), tooltip.section(QLatin1Char('\n'), 1));
}

void TestCharacterButton::missingGlyphsAreMarked()
{
    auto *polices = child<QComboBox>("polices");
    const int index = polices->findText(m_partialFamily);
    QVERIFY(index >= 0);
    polices->setCurrentIndex(index);
    emit polices->activated(index);

    auto *letter = child<CharacterButton>("t065");
    auto *accented = child<CharacterButton>("t233");
    QVERIFY(letter->fontHasCharacter());
    QVERIFY(!accented->fontHasCharacter());
    QVERIFY(!tooltipOf(letter).contains("ne contient pas"));
    QVERIFY(tooltipOf(accented).endsWith("\nLa police « Tapoli Partial Test » ne contient pas ce caractère."));

    // Marked in grey: the "é" button's caption is drawn in the disabled text colour.
    child<QTabWidget>("tables")->setCurrentIndex(1);
    const QImage image = accented->grab().toImage();
    const QColor grey = accented->palette().color(QPalette::Disabled, QPalette::ButtonText);
    bool greyFound = false;
    for (int y = 0; y < image.height() && !greyFound; ++y)
        for (int x = 0; x < image.width() && !greyFound; ++x)
            greyFound = image.pixelColor(x, y) == grey;
    QVERIFY(greyFound);

    // Back in a font that has it, the mark goes.
    polices->setCurrentIndex(polices->findText("DejaVu Sans"));
    emit polices->activated(polices->currentIndex());
    QVERIFY(accented->fontHasCharacter());
}

void TestCharacterButton::accessibleNameFollowsTheCaption()
{
    QCOMPARE(child<CharacterButton>("t233")->accessibleName(), QStringLiteral("LETTRE MINUSCULE LATINE E ACCENT AIGU"));
    QCOMPARE(child<CharacterButton>("bG1")->accessibleName(), QStringLiteral("LETTRE MINUSCULE LATINE A"));
    QCOMPARE(child<CharacterButton>("tchA")->accessibleName(), QStringLiteral("LETTRE MAJUSCULE LATINE A"));
    QTest::mouseClick(child<QRadioButton>("Mini"), Qt::LeftButton);
    QCOMPARE(child<CharacterButton>("tchA")->accessibleName(), QStringLiteral("LETTRE MINUSCULE LATINE A"));
    // A layout file's control character, shown as its code, is named by it.
    child<CharacterButton>("tchA")->setCaption(QStringLiteral("\x1b"));
    QCOMPARE(child<CharacterButton>("tchA")->accessibleName(), QStringLiteral("CARACTÈRE DE COMMANDE 1B"));
}

void TestCharacterButton::arrowsMoveWithinTheGrid_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::newRow("right") << 1 << "t065" << int(Qt::Key_Right) << "t066";
    QTest::newRow("down a row") << 1 << "t065" << int(Qt::Key_Down) << "t085";
    QTest::newRow("up a row") << 1 << "t085" << int(Qt::Key_Up) << "t065";
    QTest::newRow("left edge stays") << 1 << "t052" << int(Qt::Key_Left) << "t052";
    QTest::newRow("top edge stays") << 1 << "t040" << int(Qt::Key_Up) << "t040";
    QTest::newRow("into the last row") << 1 << "t232" << int(Qt::Key_Down) << "t252";
    QTest::newRow("letter keys") << 0 << "tchA" << int(Qt::Key_Right) << "tchZ";
    QTest::newRow("letter row below") << 0 << "tchA" << int(Qt::Key_Down) << "tchQ";
    QTest::newRow("large buttons") << 2 << "bG5" << int(Qt::Key_Down) << "bG0";
}

void TestCharacterButton::arrowsMoveWithinTheGrid()
{
    QFETCH(int, page);
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    child<QTabWidget>("tables")->setCurrentIndex(page);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    child<CharacterButton>(from)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    QCOMPARE(child<QPlainTextEdit>("texte")->toPlainText(), QString());
}

void TestCharacterButton::spaceAndEnterInsertAndKeepTheFocus_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("enter") << int(Qt::Key_Return);
}

void TestCharacterButton::spaceAndEnterInsertAndKeepTheFocus()
{
    QFETCH(int, key);
    child<QTabWidget>("tables")->setCurrentIndex(1);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto *button = child<CharacterButton>("t233");
    button->setFocus();
    QTest::keyClick(button, Qt::Key(key));
    QTest::keyClick(button, Qt::Key(key));
    QCOMPARE(child<QPlainTextEdit>("texte")->toPlainText(), QStringLiteral("éé"));
    QCOMPARE(QApplication::focusWidget(), button);
}

void TestCharacterButton::dragCarriesTheCharacterAsText_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("key") << "tchE" << "E";
    QTest::newRow("ampersand key") << "Button10" << "&";
    QTest::newRow("character button") << "t128" << "€";
    QTest::newRow("large button") << "bG1" << "a";
}

void TestCharacterButton::dragCarriesTheCharacterAsText()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    std::unique_ptr<QMimeData> data(child<CharacterButton>(button)->dragData());
    QCOMPARE(data->text(), text);
    QVERIFY(!data->hasFormat(CharacterList::mimeType()));
}

void TestCharacterButton::clickLandsWherePressed_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QString>("release");
    QTest::addColumn<QPoint>("drift");
    QTest::addColumn<QString>("text");
    QTest::newRow("short press on a key") << 0 << "tchE" << QPoint(10, 10) << "after a move" << QPoint(1, 1) << "E";
    QTest::newRow("drift of 10 px on a key") << 0 << "tchE" << QPoint(5, 5) << "after a move" << QPoint(10, 0) << "E";
    QTest::newRow("drift of 25 px on a key") << 0 << "tchE" << QPoint(2, 3) << "after a move" << QPoint(25, 0) << "E";
    QTest::newRow("drift of 1 px on a large button") << 2 << "bG1" << QPoint(30, 30) << "after a move" << QPoint(0, 1) << "a";
    QTest::newRow("drift of 25 px on a large button") << 2 << "bG1" << QPoint(10, 10) << "after a move" << QPoint(25, 25) << "a";
    QTest::newRow("drift of 10 px on a character") << 1 << "t128" << QPoint(5, 5) << "after a move" << QPoint(10, 10) << "€";
    // What a window manager that froze the pointer reports: the release where the pointer went next.
    QTest::newRow("release reported after a jump") << 0 << "btespace" << QPoint(10, 10) << "far, with no move" << QPoint() << " ";
    QTest::newRow("moved away, then released") << 0 << "btespace" << QPoint(10, 10) << "far, after a move" << QPoint() << "";
    // Leaving the button while pressed carries the character out, and types nothing here.
    QTest::newRow("dragged out of a key") << 0 << "tchE" << QPoint(10, 10) << "far, after a move" << QPoint() << "";
}

void TestCharacterButton::clickLandsWherePressed()
{
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(QPoint, press);
    QFETCH(QString, release);
    QFETCH(QPoint, drift);
    QFETCH(QString, text);
    child<QTabWidget>("tables")->setCurrentIndex(page);
    auto *pressed = child<QWidget>(button);
    QWindow *window = m_window->windowHandle();
    const QPoint at = pressed->mapTo(m_window.get(), press);
    const QPoint to = release == QLatin1String("after a move") ? at + drift : QPoint(5, 5);
    DragWatch drags(pressed);
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    if (release != QLatin1String("far, with no move"))
        QTest::mouseMove(window, to);
    QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    QCOMPARE(child<QPlainTextEdit>("texte")->toPlainText(), text);
    // A drag begins only where the pointer left a character's button.
    const bool leftACharacter = qobject_cast<CharacterButton *>(pressed) && !pressed->rect().contains(pressed->mapFrom(m_window.get(), to));
    QCOMPARE(drags.started(), leftACharacter);
}

QTEST_MAIN(TestCharacterButton)
#include "tst_characterbutton.moc"
