#include "text/textcommands.h"

#include "shared/messages.h"
#include "shared/prompter.h"
#include "text/documenttext.h"
#include "text/textrules.h"
#include "text/wholetext.h"
#include "text/writingelsewhere.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TextCommands::TextCommands(QPlainTextEdit *texte, Prompter &prompter, std::function<Direction()> direction,
                           QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_prompter(prompter)
    , m_direction(std::move(direction))
{
    connect(m_texte, &QPlainTextEdit::textChanged, this, [this] {
        // A load tells it once, when the whole text is in; a command once, when it has run.
        if (!m_loading && !m_commandRunning)
            emit edited();
    });
    m_texte->installEventFilter(this);
    m_shadow.setText(documentText(m_texte->document()));
    connect(m_texte->document(), &QTextDocument::contentsChange, this, &TextCommands::followChange);
}

TextCommands::~TextCommands() = default;

void TextCommands::startLoad(const QString &text)
{
    // The snapshot is copied out before the text goes, then the copy follows the text as it is and not
    // edit by edit: it shares the loaded string instead of reading a long text back out.
    keepSnapshot();
    ++m_changes;
    m_loading = true;
    m_changedWhileLoading = false;
    m_loadEdit = true;
    m_texte->setPlainText(QString());
    m_loadEdit = false;
    m_shadow.setText(withPlainLineBreaks(text));
}

void TextCommands::putLoaded(QTextCursor &cursor, QStringView piece)
{
    m_loadEdit = true;
    // Inside an edit block the cursor leaves its line unlaid: outside, it lays that line out to find
    // where on it it stands, a long line again for each piece.
    cursor.beginEditBlock();
    cursor.insertText(piece.toString());
    cursor.endEditBlock();
    m_loadEdit = false;
}

bool TextCommands::endLoad()
{
    m_loading = false;
    // The accessibility bus can insert into a read-only text area: the copy is taken again from what is
    // there, which is then no longer the file's text alone.
    if (std::exchange(m_changedWhileLoading, false)) {
        ++m_changes;
        m_shadow.setText(documentText(m_texte->document()));
        emit edited();
        return true;
    }
    emit edited();
    return false;
}

void TextCommands::whenWhole(std::function<void()> command)
{
    if (m_whole)
        m_whole->whenWhole(std::move(command));
    else
        command();
}

void TextCommands::whenWhole(void (TextCommands::*command)())
{
    whenWhole([this, command] { (this->*command)(); });
}

void TextCommands::InsertChar(const QString &caption, Insertion insertion)
{
    const QString character = TextRules::characterOfCaption(caption);
    if (character.isEmpty())
        return;
    const bool stepBack = insertion == Insertion::FollowDirection && m_direction() == Direction::RightToLeft;
    if (writesElsewhere())
        m_elsewhere->typeCharacter(character, stepBack);
    else
        whenWhole([this, character, stepBack] { insertCharacter(character, stepBack); });
}

void TextCommands::insertCharacter(const QString &character, bool stepBack)
{
    const QScopedValueRollback<bool> command(m_commandRunning, true);
    const bool snapshot = takeSnapshotIfNotEmpty();
    replaceSelection(character, snapshot);
    m_texte->setFocus();
    if (stepBack)
        stepCaretBack();
    emit edited();
}

void TextCommands::espace()
{
    InsertChar(QStringLiteral(" "));
}

bool TextCommands::writesElsewhere() const
{
    return m_elsewhere && m_elsewhere->isOn();
}

void TextCommands::entree()
{
    if (writesElsewhere())
        m_elsewhere->pressReturn();
    else
        whenWhole(&TextCommands::newLineAfterCaret);
}

void TextCommands::newLineAfterCaret()
{
    const QScopedValueRollback<bool> command(m_commandRunning, true);
    // A new empty line after the caret's line, and the caret on it, ready for the next key. With a
    // selection, the caret's line is the one where the selection starts, whichever end the caret is at;
    // what is selected stays.
    QTextCursor cursor = m_texte->textCursor();
    cursor.setPosition(cursor.selectionStart());
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertBlock();
    m_texte->setTextCursor(cursor);
    emit edited();
    m_texte->setFocus();
}

void TextCommands::sup()
{
    if (writesElsewhere())
        m_elsewhere->pressDelete();
    else
        whenWhole(&TextCommands::deleteSelection);
}

void TextCommands::deleteSelection()
{
    const QScopedValueRollback<bool> command(m_commandRunning, true);
    QTextCursor cursor = m_texte->textCursor();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        m_texte->setTextCursor(cursor);
    }
    emit edited();
    m_texte->setFocus();
}

void TextCommands::annuler()
{
    if (writesElsewhere())
        m_elsewhere->takeBack();
    else
        whenWhole(&TextCommands::undo);
}

void TextCommands::undo()
{
    if (m_texte->document()->isEmpty())
        return;
    const QScopedValueRollback<bool> command(m_commandRunning, true);
    QTextCursor cursor = m_texte->textCursor();
    using Form = Snapshot::Form;
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        m_texte->setTextCursor(cursor);
    } else if (m_recup.form == Form::BeforeInsertion) {
        // Nothing changed since the insertion that followed the snapshot: taking it back gives the same
        // text, without laying a long text out again.
        m_ownEdit = true;
        cursor.setPosition(m_recup.position);
        cursor.setPosition(m_recup.position + m_recup.length, QTextCursor::KeepAnchor);
        cursor.insertText(m_recup.replaced);
        m_ownEdit = false;
        cursor.setPosition(m_recup.position);
        m_texte->setTextCursor(cursor);
        m_recup.form = Form::Current;
        m_recup.changes = m_changes;
    } else if (m_recup.form == Form::Stored && m_shadow.text() != m_recup.stored) {
        // Replacing through a cursor keeps the edit marked as a change of the user's text.
        m_ownEdit = true;
        cursor.select(QTextCursor::Document);
        cursor.insertText(m_recup.stored);
        m_ownEdit = false;
        m_texte->setTextCursor(cursor);
    }
    emit edited();
    m_texte->setFocus();
}

bool TextCommands::initialiser(const QString &documentFileName)
{
    m_texte->setFocus();
    takeSnapshotIfNotEmpty();
    if (m_texte->document()->isModified() && !documentFileName.isEmpty()) {
        const auto answer = m_prompter.ask(Prompter::Icon::Warning, Messages::initialiserQuestion(documentFileName),
                                           Prompter::Buttons::YesNo);
        if (answer != Prompter::Answer::Yes)
            return false;
    }
    // What an empty text means for the save entries is the documents' to say: the text forgot its file.
    const QScopedValueRollback<bool> command(m_commandRunning, true);
    m_texte->clear();
    return true;
}

void TextCommands::copier()
{
    whenWhole(&TextCommands::copyWholeText);
}

void TextCommands::copyWholeText()
{
    if (m_texte->document()->isEmpty())
        return;
    m_texte->setFocus();
    m_texte->selectAll();
    QGuiApplication::clipboard()->setText(documentText(m_texte->document()));
    m_prompter.ask(Prompter::Icon::Information, Messages::textCopied(), Prompter::Buttons::Ok);
}

void TextCommands::coller()
{
    whenWhole(&TextCommands::paste);
}

void TextCommands::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        m_prompter.tell(Messages::nothingToPaste());
        return;
    }
    m_texte->insertPlainText(text);
}

bool TextCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_texte && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && key->modifiers().testFlag(Qt::ShiftModifier)) {
            // Shift+Enter would break the line with a line separator inside the paragraph; the text's
            // lines are its document's lines, so it breaks them as Enter does.
            QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ShiftModifier, key->text(),
                            key->isAutoRepeat(), key->count());
            QCoreApplication::sendEvent(m_texte, &plain);
            return true;
        }
    }
    if (watched == m_texte && event->type() == QEvent::KeyRelease && m_direction() == Direction::RightToLeft) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat() && TextRules::releaseStepsCaretBack(key->key(), key->text()))
            stepCaretBack();
    }
    return QObject::eventFilter(watched, event);
}

bool TextCommands::takeSnapshotIfNotEmpty()
{
    if (m_texte->document()->isEmpty())
        return false;
    m_recup.form = Snapshot::Form::Current;
    m_recup.changes = m_changes;
    return true;
}

void TextCommands::replaceSelection(const QString &character, bool afterSnapshot)
{
    QTextCursor cursor = m_texte->textCursor();
    const int position = cursor.selectionStart();
    const QString replaced = withPlainLineBreaks(cursor.selectedText());
    // The snapshot just taken stays lazy: this insertion is the one it can be rebuilt from.
    m_ownEdit = afterSnapshot;
    cursor.insertText(character);
    m_ownEdit = false;
    m_texte->setTextCursor(cursor);
    if (afterSnapshot)
        m_recup = {Snapshot::Form::BeforeInsertion, QString(), m_changes, position, int(character.size()), replaced};
}

void TextCommands::keepSnapshot()
{
    // Called just before the text changes under a lazy snapshot: copy it out while it can be rebuilt.
    using Form = Snapshot::Form;
    if ((m_recup.form != Form::Current && m_recup.form != Form::BeforeInsertion) || m_recup.changes != m_changes)
        return;
    m_recup.stored = m_shadow.text();
    if (m_recup.form == Form::BeforeInsertion)
        m_recup.stored.replace(m_recup.position, m_recup.length, m_recup.replaced);
    m_recup.form = Form::Stored;
}

void TextCommands::followChange(int position, int removed, int added)
{
    // The copy already holds the whole text being loaded.
    if (m_loading) {
        m_changedWhileLoading |= !m_loadEdit;
        return;
    }
    if (!m_ownEdit)
        keepSnapshot();
    ++m_changes;
    const QTextDocument *document = m_texte->document();
    // A change that reaches past the copy's end counts the document's closing separator: take it whole.
    if (position < 0 || position + removed > m_shadow.size() || position + added > document->characterCount() - 1) {
        m_shadow.setText(documentText(document));
        return;
    }
    QString inserted;
    if (added > 0) {
        QTextCursor range(m_texte->document());
        range.setPosition(position);
        range.setPosition(position + added, QTextCursor::KeepAnchor);
        inserted = withPlainLineBreaks(range.selectedText());
    }
    m_shadow.replace(position, removed, inserted);
}

void TextCommands::FollowedText::replace(qsizetype position, qsizetype removed, const QString &inserted)
{
    // The gap between the two parts moves to the edit; the text between its old and new places crosses.
    if (position < m_before.size()) {
        m_after.prepend(QStringView(m_before).mid(position));
        m_before.truncate(position);
    } else if (position > m_before.size()) {
        const qsizetype crossing = position - m_before.size();
        m_before.append(QStringView(m_after).left(crossing));
        m_after.remove(0, crossing);
    }
    // Taken off the front, the removed text only moves where the second part begins.
    m_after.remove(0, removed);
    m_before += inserted;
}

void TextCommands::stepCaretBack()
{
    QTextCursor cursor = m_texte->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::PreviousCharacter);
    m_texte->setTextCursor(cursor);
}
