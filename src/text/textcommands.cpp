#include "text/textcommands.h"

#include "shared/messages.h"
#include "shared/prompter.h"
#include "text/documenttext.h"
#include "text/textrules.h"
#include "text/writingelsewhere.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace {
// A slice of a long text goes in within about this time: short enough for the window to keep up, long
// enough that the slices' own cost stays small beside the text's.
constexpr int LoadSliceMs = 40;
constexpr qsizetype LoadPieceCharacters = 128 * 1024;
} // namespace

TextCommands::TextCommands(QPlainTextEdit *texte, Prompter &prompter, std::function<Direction()> direction,
                           QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_prompter(prompter)
    , m_direction(std::move(direction))
{
    connect(m_texte, &QPlainTextEdit::textChanged, this, [this] {
        // A load tells it once, when the whole text is in; a command once, when it has run.
        if (m_loadAt < 0 && !m_commandRunning)
            emit edited();
    });
    m_texte->installEventFilter(this);
    m_shadow.setText(documentText(m_texte->document()));
    connect(m_texte->document(), &QTextDocument::contentsChange, this, &TextCommands::followChange);
    m_loadTimer = new QTimer(this);
    m_loadTimer->setInterval(0);
    connect(m_loadTimer, &QTimer::timeout, this, &TextCommands::loadSlice);
}

TextCommands::~TextCommands()
{
    // A window closed while a document loads leaves the pointer as it found it.
    if (m_loadAt >= 0)
        QGuiApplication::restoreOverrideCursor();
}

void TextCommands::load(const QString &text, std::function<void()> loaded)
{
    m_expected = nullptr;
    if (m_loadAt >= 0)
        stopLoading();
    // The snapshot is copied out before the text goes, then the copy follows the text as it is and not
    // edit by edit: it shares the loaded string instead of reading a long text back out.
    keepSnapshot();
    ++m_changes;
    m_loading = text;
    m_loadAt = 0;
    m_loaded = std::move(loaded);
    m_texte->setPlainText(QString());
    m_shadow.setText(withPlainLineBreaks(text));
    m_texte->document()->setUndoRedoEnabled(false);
    m_texte->setReadOnly(true);
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    loadSlice();
}

void TextCommands::loadSlice()
{
    QElapsedTimer slice;
    slice.start();
    QTextCursor end(m_texte->document());
    end.movePosition(QTextCursor::End);
    // The caret stays where it is (at the start, or where a click put it), not at the growing end.
    const QTextCursor caret = m_texte->textCursor();
    const int caretAt = caret.position(), anchorAt = caret.anchor();
    const qsizetype size = m_loading.size();
    while (m_loadAt < size && slice.elapsed() < LoadSliceMs) {
        qsizetype piece = qMin(LoadPieceCharacters, size - m_loadAt);
        // Never between the two halves of a character outside the Basic Multilingual Plane.
        if (m_loadAt + piece < size && m_loading.at(m_loadAt + piece - 1).isHighSurrogate())
            ++piece;
        end.insertText(m_loading.mid(m_loadAt, piece));
        m_loadAt += piece;
    }
    if (m_texte->textCursor().position() != caretAt) {
        QTextCursor kept(m_texte->document());
        kept.setPosition(anchorAt);
        kept.setPosition(caretAt, QTextCursor::KeepAnchor);
        m_texte->setTextCursor(kept);
    }
    if (m_loadAt < size) {
        m_loadTimer->start();
        return;
    }
    stopLoading();
    emit edited();
    if (const std::function<void()> loaded = std::exchange(m_loaded, nullptr))
        loaded();
}

void TextCommands::stopLoading()
{
    m_loadTimer->stop();
    m_loadAt = -1;
    m_loading.clear();
    m_texte->setReadOnly(false);
    m_texte->document()->setUndoRedoEnabled(true);
    QGuiApplication::restoreOverrideCursor();
}

void TextCommands::finishLoading()
{
    if (const std::function<void()> arrive = std::exchange(m_expected, nullptr))
        arrive();
    while (m_loadAt >= 0)
        loadSlice();
}

void TextCommands::InsertChar(const QString &caption, Insertion insertion)
{
    const QString character = TextRules::characterOfCaption(caption);
    if (character.isEmpty())
        return;
    if (writesElsewhere()) {
        m_elsewhere->typeCharacter(character, insertion == Insertion::FollowDirection
                                                  && m_direction() == Direction::RightToLeft);
        return;
    }
    finishLoading();
    const QScopedValueRollback<bool> command(m_commandRunning, true);
    const bool snapshot = takeSnapshotIfNotEmpty();
    replaceSelection(character, snapshot);
    m_texte->setFocus();
    if (insertion == Insertion::FollowDirection && m_direction() == Direction::RightToLeft)
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
    if (writesElsewhere()) {
        m_elsewhere->pressReturn();
        return;
    }
    finishLoading();
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
    if (writesElsewhere()) {
        m_elsewhere->pressDelete();
        return;
    }
    finishLoading();
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
    if (writesElsewhere()) {
        m_elsewhere->takeBack();
        return;
    }
    finishLoading();
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
    finishLoading();
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
    finishLoading();
    if (m_texte->document()->isEmpty())
        return;
    m_texte->setFocus();
    m_texte->selectAll();
    QGuiApplication::clipboard()->setText(documentText(m_texte->document()));
    m_prompter.ask(Prompter::Icon::Information, Messages::textCopied(), Prompter::Buttons::Ok);
}

void TextCommands::coller()
{
    finishLoading();
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) {
        m_prompter.tell(Messages::nothingToPaste());
        return;
    }
    m_texte->insertPlainText(text);
}

bool TextCommands::eventFilter(QObject *watched, QEvent *event)
{
    // Typing into the text while it loads waits for the whole text; the text area is read-only till then.
    if (watched == m_texte && isLoading()
        && (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod))
        finishLoading();
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
    if (m_loadAt >= 0)
        return;
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
