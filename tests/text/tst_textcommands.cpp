#include "documents/saveentries.h"
#include "scriptedprompter.h"
#include "text/textcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <memory>

class TestTextCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void insertFollowsDirection_data();
    void insertFollowsDirection();
    void insertReplacesSelection();
    void insertTakesFirstCharacterOfCaption_data();
    void insertTakesFirstCharacterOfCaption();
    void spaceFollowsDirection();

    void undoRestoresSnapshotOnce();
    void undoWithSelectionDeletesIt();
    void undoBeforeAnySnapshotKeepsTyping();
    void undoOnEmptyTextDoesNothing();

    void enterAddsLineAfterCaretLine_data();
    void enterAddsLineAfterCaretLine();
    void deleteOnlyTouchesSelection();

    void initialiserAsksOnlyWhenModifiedAndNamed_data();
    void initialiserAsksOnlyWhenModifiedAndNamed();
    void initialiserCanBeUndone();

    void copyAll();
    void copyOnEmptyTextIsSilent();
    void pasteInsertsAtCaret();
    void failedPasteShowsMessage();

    void saveMenuRule();
    void editedOncePerCommand();
    void followsEveryEdit();
    void undoAfterInsertionOnEmptyTextRestoresOlderSnapshot();
    void snapshotSurvivesLaterEdits_data();
    void snapshotSurvivesLaterEdits();
    void rightToLeftTyping_data();
    void rightToLeftTyping();
    void enterBreaksOneLine_data();
    void enterBreaksOneLine();

private:
    void setText(const QString &text, int caret);

    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit *m_texte = nullptr;
    QAction *m_saveAs = nullptr;
    QAction *m_save = nullptr;
    std::unique_ptr<SaveEntries> m_saveEntries;
    QString m_documentFileName;
    Direction m_direction = Direction::LeftToRight;
    ScriptedPrompter m_prompter;
    TextCommands *m_commands = nullptr;
};

void TestTextCommands::init()
{
    m_window = std::make_unique<QWidget>();
    m_texte = new QPlainTextEdit(m_window.get());
    m_saveAs = new QAction(m_window.get());
    m_save = new QAction(m_window.get());
    m_saveAs->setEnabled(false);
    m_save->setEnabled(false);
    m_documentFileName.clear();
    m_direction = Direction::LeftToRight;
    m_prompter = ScriptedPrompter();
    m_commands = new TextCommands(m_texte, m_prompter, [this] { return m_direction; }, m_window.get());
    // As the documents follow the commands: every edit applies SaveMenuRule.
    m_saveEntries = std::make_unique<SaveEntries>(m_saveAs, m_save);
    connect(m_commands, &TextCommands::edited, m_window.get(), [this] {
        m_saveEntries->follow(SaveEntries::Event::TextEdited, m_documentFileName, QString());
    });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestTextCommands::cleanup()
{
    m_window.reset();
    QApplication::clipboard()->clear();
}

void TestTextCommands::setText(const QString &text, int caret)
{
    m_texte->setPlainText(text);
    QTextCursor cursor = m_texte->textCursor();
    cursor.setPosition(caret);
    m_texte->setTextCursor(cursor);
}

void TestTextCommands::insertFollowsDirection_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caretAfter");
    QTest::newRow("left to right, empty") << 0 << QString() << 0 << QStringLiteral("ABC") << 3;
    QTest::newRow("right to left, empty") << 1 << QString() << 0 << QStringLiteral("CBA") << 0;
    QTest::newRow("left to right, mid-text") << 0 << QStringLiteral("xy") << 1 << QStringLiteral("xABCy") << 4;
    QTest::newRow("right to left, mid-text") << 1 << QStringLiteral("xy") << 1 << QStringLiteral("xCBAy") << 1;
}

void TestTextCommands::insertFollowsDirection()
{
    QFETCH(int, direction);
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, text);
    QFETCH(int, caretAfter);
    setText(start, caret);
    m_direction = Direction(direction);
    m_texte->clearFocus();
    for (const QString &key : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
        m_commands->InsertChar(key);
    QVERIFY(m_texte->hasFocus());
    QCOMPARE(m_texte->toPlainText(), text);
    QCOMPARE(m_texte->textCursor().position(), caretAfter);
    QVERIFY(!m_texte->textCursor().hasSelection());
}

void TestTextCommands::insertReplacesSelection()
{
    setText(QStringLiteral("hello"), 1);
    QTextCursor cursor = m_texte->textCursor();
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    m_texte->setTextCursor(cursor);
    m_commands->InsertChar(QStringLiteral("A"));
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("hAo"));
}

void TestTextCommands::insertTakesFirstCharacterOfCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::newRow("ampersand key") << QStringLiteral("&&") << QStringLiteral("&");
    QTest::newRow("accented") << QStringLiteral("é") << QStringLiteral("é");
    QTest::newRow("undefined byte") << QString(QChar(0x81)) << QString();
    QTest::newRow("escape from a layout file") << QStringLiteral("\x1b") << QString();
    QTest::newRow("tab from a layout file") << QStringLiteral("\t") << QString();
    QTest::newRow("DEL") << QString(QChar(0x7F)) << QString();
    QTest::newRow("empty caption") << QString() << QString();
    QTest::newRow("outside the Basic Multilingual Plane") << QStringLiteral("\U0001D11Ex") << QStringLiteral("\U0001D11E");
}

void TestTextCommands::insertTakesFirstCharacterOfCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    setText(QStringLiteral("<>"), 1);
    m_commands->InsertChar(caption);
    QCOMPARE(m_texte->toPlainText(), QLatin1Char('<') + text + QLatin1Char('>'));
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("<>"));
}

void TestTextCommands::spaceFollowsDirection()
{
    m_direction = Direction::RightToLeft;
    m_commands->InsertChar(QStringLiteral("A"));
    m_commands->espace();
    m_commands->InsertChar(QStringLiteral("B"));
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("B A"));
}

void TestTextCommands::undoRestoresSnapshotOnce()
{
    setText(QStringLiteral("xy"), 2);
    m_commands->InsertChar(QStringLiteral("A"));
    m_commands->InsertChar(QStringLiteral("B"));
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("xyAB"));
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("xyA"));
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("xyA"));
    QVERIFY(m_texte->document()->isModified());
}

void TestTextCommands::undoWithSelectionDeletesIt()
{
    setText(QStringLiteral("abc"), 3);
    m_commands->InsertChar(QStringLiteral("D"));
    m_texte->selectAll();
    QTextCursor cursor = m_texte->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    m_texte->setTextCursor(cursor);
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("aD"));
}

void TestTextCommands::undoBeforeAnySnapshotKeepsTyping()
{
    // Text typed on the physical keyboard takes no snapshot; undo must not replace it by anything.
    m_texte->setFocus();
    QTest::keyClicks(m_texte, QStringLiteral("typed"));
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("typed"));
}

void TestTextCommands::undoOnEmptyTextDoesNothing()
{
    setText(QStringLiteral("ab"), 2);
    m_commands->InsertChar(QStringLiteral("C"));
    m_texte->clear();
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QString());
    QVERIFY(m_prompter.shown.isEmpty());
}

void TestTextCommands::enterAddsLineAfterCaretLine_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<int>("anchor");   // where a selection ending at the caret starts; -1: none
    QTest::newRow("caret inside first line") << QStringLiteral("ab\ncd") << 1 << QStringLiteral("ab\n\ncd") << 1 << -1;
    QTest::newRow("caret on last line") << QStringLiteral("ab\ncd") << 4 << QStringLiteral("ab\ncd\n") << 2 << -1;
    QTest::newRow("empty last line") << QStringLiteral("ab\n") << 3 << QStringLiteral("ab\n\n") << 2 << -1;
    QTest::newRow("empty text") << QString() << 0 << QStringLiteral("\n") << 1 << -1;
    // The line of the selection's start, whichever end the caret is at; the selection is not replaced.
    QTest::newRow("all selected") << QStringLiteral("ab\ncd") << 5 << QStringLiteral("ab\n\ncd") << 1 << 0;
    QTest::newRow("selected backwards") << QStringLiteral("ab\ncd") << 0 << QStringLiteral("ab\n\ncd") << 1 << 5;
}

void TestTextCommands::enterAddsLineAfterCaretLine()
{
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, text);
    QFETCH(int, caretLine);
    QFETCH(int, anchor);
    setText(start, anchor < 0 ? caret : anchor);
    QTextCursor selection = m_texte->textCursor();
    selection.setPosition(caret, QTextCursor::KeepAnchor);
    m_texte->setTextCursor(selection);
    m_commands->entree();
    QCOMPARE(m_texte->toPlainText(), text);
    QCOMPARE(m_texte->textCursor().blockNumber(), caretLine);
    QCOMPARE(m_texte->textCursor().block().text(), QString());
    QVERIFY(m_saveAs->isEnabled());
}

void TestTextCommands::deleteOnlyTouchesSelection()
{
    setText(QStringLiteral("abcd"), 2);
    m_saveAs->setEnabled(false);
    m_commands->sup();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("abcd"));
    QVERIFY(m_saveAs->isEnabled());
    QTextCursor cursor = m_texte->textCursor();
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    m_texte->setTextCursor(cursor);
    m_commands->sup();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("abd"));
}

void TestTextCommands::initialiserAsksOnlyWhenModifiedAndNamed_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("cleared");
    const int yes = int(Prompter::Answer::Yes);
    const int no = int(Prompter::Answer::No);
    QTest::newRow("unnamed and modified") << QString() << true << yes << false << true;
    QTest::newRow("named, not modified") << QStringLiteral("/d/notes.tpo") << false << yes << false << true;
    QTest::newRow("named and modified, yes") << QStringLiteral("/d/notes.tpo") << true << yes << true << true;
    QTest::newRow("named and modified, no") << QStringLiteral("/d/notes.tpo") << true << no << true << false;
}

void TestTextCommands::initialiserAsksOnlyWhenModifiedAndNamed()
{
    QFETCH(QString, fileName);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, cleared);
    setText(QStringLiteral("texte"), 5);
    m_texte->document()->setModified(modified);
    m_prompter.answers = {Prompter::Answer(answer)};

    QCOMPARE(m_commands->initialiser(fileName), cleared);

    if (asked) {
        QCOMPARE(m_prompter.shown.size(), 1);
        QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::Warning);
        QCOMPARE(m_prompter.shown.first().buttons, Prompter::Buttons::YesNo);
        QCOMPARE(m_prompter.shown.first().text,
                 QStringLiteral("Les données du fichier /d/notes.tpo ont été modifiées.\n"
                                "Si vous initialisez, vous perdrez vos modifications.\n"
                                "Initialiser tout de même ?"));
    } else {
        QVERIFY(m_prompter.shown.isEmpty());
    }
    QCOMPARE(m_texte->toPlainText().isEmpty(), cleared);
    if (!cleared) {
        // The snapshot was taken before the question: "Annuler" gives back the text as "Initialiser" found it.
        QTest::keyClicks(m_texte, QStringLiteral("Q"));
        m_commands->annuler();
        QCOMPARE(m_texte->toPlainText(), QStringLiteral("texte"));
    }
}

void TestTextCommands::initialiserCanBeUndone()
{
    setText(QStringLiteral("line one\nline two"), 3);
    m_commands->initialiser(QString());
    QCOMPARE(m_texte->toPlainText(), QString());
    m_commands->InsertChar(QStringLiteral("Z"));
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("line one\nline two"));
}

void TestTextCommands::copyAll()
{
    setText(QStringLiteral("un\ndeux"), 1);
    m_commands->copier();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("un\ndeux"));
    QCOMPARE(m_texte->textCursor().selectedText().size(), 7);
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("Texte copié dans le presse-papier. ")});
    QCOMPARE(m_prompter.shown.first().icon, Prompter::Icon::Information);
}

void TestTextCommands::copyOnEmptyTextIsSilent()
{
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    m_commands->copier();
    QVERIFY(m_prompter.shown.isEmpty());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

void TestTextCommands::pasteInsertsAtCaret()
{
    setText(QStringLiteral("ab"), 1);
    QApplication::clipboard()->setText(QStringLiteral("XY"));
    m_commands->coller();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("aXYb"));
    QVERIFY(m_prompter.shown.isEmpty());
    QVERIFY(m_saveAs->isEnabled());
}

void TestTextCommands::failedPasteShowsMessage()
{
    setText(QStringLiteral("ab"), 1);
    auto *image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QApplication::clipboard()->setMimeData(image);
    m_commands->coller();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("ab"));
    QCOMPARE(m_prompter.texts(),
             QStringList{QStringLiteral("Rien à coller ou type de données à coller incompatible")});
}

void TestTextCommands::saveMenuRule()
{
    m_commands->InsertChar(QStringLiteral("A"));
    QVERIFY(m_saveAs->isEnabled());
    QVERIFY(!m_save->isEnabled());
    m_documentFileName = QStringLiteral("/d/notes.txt");
    m_commands->InsertChar(QStringLiteral("B"));
    QVERIFY(m_save->isEnabled());
}

void TestTextCommands::editedOncePerCommand()
{
    using Command = void (TextCommands::*)();
    for (Command command : {&TextCommands::espace, &TextCommands::entree, &TextCommands::sup, &TextCommands::annuler}) {
        setText(QStringLiteral("abc"), 1);
        m_commands->InsertChar(QStringLiteral("x"));
        QTextCursor cursor = m_texte->textCursor();
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        m_texte->setTextCursor(cursor);
        QSignalSpy edited(m_commands, &TextCommands::edited);
        (m_commands->*command)();
        QCOMPARE(edited.count(), 1);
    }
}

void TestTextCommands::followsEveryEdit()
{
    // The commands keep their own copy of the text for cheap snapshots; it must never drift.
    auto same = [this] {
        QString text = m_texte->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        return m_commands->text() == text;
    };
    m_commands->InsertChar(QStringLiteral("A"));
    QVERIFY(same());
    m_texte->setFocus();
    QTest::keyClicks(m_texte, QStringLiteral("bc"));
    m_commands->entree();
    QTest::keyClicks(m_texte, QStringLiteral("de"));
    QVERIFY(same());
    QApplication::clipboard()->setText(QStringLiteral("un\ndeux\u00A0trois\n"));
    m_commands->coller();
    QVERIFY(same());
    m_texte->selectAll();
    QTextCursor cursor = m_texte->textCursor();
    cursor.setPosition(2);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    m_texte->setTextCursor(cursor);
    m_commands->InsertChar(QStringLiteral("é"));
    QVERIFY(same());
    m_commands->annuler();
    QVERIFY(same());
    QTest::keyClick(m_texte, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(same());
    QTest::keyClick(m_texte, Qt::Key_Backspace);
    QTest::keyClick(m_texte, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(m_texte, Qt::Key_Delete);
    QVERIFY(same());
    m_texte->setPlainText(QStringLiteral("tout\nautre\n"));
    QVERIFY(same());
    m_commands->initialiser(QString());
    QVERIFY(same());
    m_commands->annuler();
    QVERIFY(same());
    m_texte->clear();
    QVERIFY(same());
    QCOMPARE(m_commands->text(), QString());
}

void TestTextCommands::undoAfterInsertionOnEmptyTextRestoresOlderSnapshot()
{
    setText(QStringLiteral("xy"), 2);
    m_commands->InsertChar(QStringLiteral("A"));   // snapshot "xy"
    m_texte->clear();
    m_commands->InsertChar(QStringLiteral("B"));   // empty text: no snapshot
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("xy"));
}

void TestTextCommands::snapshotSurvivesLaterEdits_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("typing") << "typing";
    QTest::newRow("Entree") << "entree";
    QTest::newRow("paste") << "paste";
    QTest::newRow("undo, then typing") << "undo-typing";
    QTest::newRow("replacing a selection") << "selection";
}

void TestTextCommands::snapshotSurvivesLaterEdits()
{
    QFETCH(QString, edit);
    setText(QStringLiteral("un\ndeux"), 3);
    QTextCursor cursor = m_texte->textCursor();
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    m_texte->setTextCursor(cursor);
    m_commands->InsertChar(QStringLiteral("Z"));   // snapshot "un\ndeux", then "un\nZux"
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("un\nZux"));
    m_texte->setFocus();
    if (edit == "typing") {
        QTest::keyClicks(m_texte, QStringLiteral("ab"));
    } else if (edit == "entree") {
        m_commands->entree();
    } else if (edit == "paste") {
        QApplication::clipboard()->setText(QStringLiteral("1\n2"));
        m_commands->coller();
    } else if (edit == "undo-typing") {
        m_commands->annuler();
        QCOMPARE(m_texte->toPlainText(), QStringLiteral("un\ndeux"));
        QTest::keyClicks(m_texte, QStringLiteral("ab"));
    } else {
        QTextCursor part = m_texte->textCursor();
        part.setPosition(0);
        part.setPosition(2, QTextCursor::KeepAnchor);
        m_texte->setTextCursor(part);
        m_commands->sup();
    }
    QVERIFY(m_texte->toPlainText() != QStringLiteral("un\ndeux"));
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("un\ndeux"));
    m_commands->annuler();
    QCOMPARE(m_texte->toPlainText(), QStringLiteral("un\ndeux"));
}

void TestTextCommands::rightToLeftTyping_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::newRow("left to right") << 0 << "abc" << QStringLiteral("abc") << 3;
    QTest::newRow("right to left") << 1 << "abc" << QStringLiteral("cba") << 0;
    QTest::newRow("right to left, a tab steps back too") << 1 << "a\tb" << QStringLiteral("b\ta") << 0;
}

void TestTextCommands::rightToLeftTyping()
{
    QFETCH(int, direction);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, caret);
    m_direction = Direction(direction);
    m_texte->setFocus();
    QTest::keyClicks(m_texte, typed);
    QCOMPARE(m_texte->toPlainText(), text);
    QCOMPARE(m_texte->textCursor().position(), caret);

    // Keys that type nothing leave the caret where it is.
    const int before = m_texte->textCursor().position();
    QTest::keyClick(m_texte, Qt::Key_Shift);
    QTest::keyClick(m_texte, Qt::Key_Control);
    QCOMPARE(m_texte->textCursor().position(), before);
}

void TestTextCommands::enterBreaksOneLine_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::newRow("Enter, left to right") << 0 << int(Qt::NoModifier) << QStringLiteral("a\n");
    QTest::newRow("Enter, right to left") << 1 << int(Qt::NoModifier) << QStringLiteral("\na");
    QTest::newRow("Shift+Enter, left to right") << 0 << int(Qt::ShiftModifier) << QStringLiteral("a\n");
    QTest::newRow("Shift+Enter, right to left") << 1 << int(Qt::ShiftModifier) << QStringLiteral("\na");
}

void TestTextCommands::enterBreaksOneLine()
{
    QFETCH(int, direction);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    m_direction = Direction(direction);
    m_texte->setFocus();
    QTest::keyClicks(m_texte, QStringLiteral("a"));
    QTest::keyClick(m_texte, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_texte->toPlainText(), text);
    QCOMPARE(m_texte->document()->blockCount(), 2);
    QCOMPARE(m_commands->text(), text);
}

QTEST_MAIN(TestTextCommands)
#include "tst_textcommands.moc"
