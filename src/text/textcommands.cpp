#include "text/textcommands.h"

#include "app/appstate.h"
#include "app/messages.h"
#include "app/prompter.h"
#include "text/textrules.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

TextCommands::TextCommands(QPlainTextEdit *texte, QWidget *window, AppState &state, Prompter &prompter,
                           SaveEntries saveEntries, QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_window(window)
    , m_state(state)
    , m_prompter(prompter)
    , m_saveEntries(saveEntries)
{
    connect(m_texte, &QPlainTextEdit::textChanged, this, &TextCommands::SaveMenuRule);
    m_texte->installEventFilter(this);
}

void TextCommands::InsertChar(const QString &caption)
{
    const QString character = TextRules::characterOfCaption(caption);
    if (character.isEmpty())
        return;
    takeSnapshotIfNotEmpty();
    m_texte->insertPlainText(character);
    m_texte->setFocus();
    if (m_direction == 1)
        stepCaretBack();
    SaveMenuRule();
}

void TextCommands::insertDirectly(const QString &character)
{
    if (character.isEmpty())
        return;
    takeSnapshotIfNotEmpty();
    m_texte->insertPlainText(character.left(1));
    m_texte->setFocus();
    SaveMenuRule();
}

void TextCommands::SaveMenuRule()
{
    m_saveEntries.saveAs->setEnabled(true);
    if (!m_state.DocumentFileName.isEmpty())
        m_saveEntries.save->setEnabled(true);
}

void TextCommands::espace()
{
    InsertChar(QStringLiteral(" "));
}

void TextCommands::entree()
{
    // A new empty line after the caret's line, and the caret on it, ready for the next key.
    QTextCursor cursor = m_texte->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertBlock();
    m_texte->setTextCursor(cursor);
    SaveMenuRule();
    m_texte->setFocus();
}

void TextCommands::sup()
{
    QTextCursor cursor = m_texte->textCursor();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        m_texte->setTextCursor(cursor);
    }
    SaveMenuRule();
    m_texte->setFocus();
}

void TextCommands::annuler()
{
    if (m_texte->document()->isEmpty())
        return;
    QTextCursor cursor = m_texte->textCursor();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        m_texte->setTextCursor(cursor);
    } else if (m_recup) {
        // Replacing through a cursor keeps the edit marked as a change of the user's text.
        cursor.select(QTextCursor::Document);
        cursor.insertText(*m_recup);
        m_texte->setTextCursor(cursor);
    }
    SaveMenuRule();
    m_texte->setFocus();
}

void TextCommands::initialiser()
{
    m_texte->setFocus();
    takeSnapshotIfNotEmpty();
    if (m_texte->document()->isModified() && !m_state.DocumentFileName.isEmpty()) {
        const auto answer = m_prompter.ask(Prompter::Icon::Warning,
                                           Messages::initialiserQuestion(m_state.DocumentFileName),
                                           Prompter::Buttons::YesNo);
        if (answer != Prompter::Answer::Yes)
            return;
    }
    m_texte->clear();
    m_state.DocumentFileName.clear();
    m_window->setWindowTitle(Messages::captionWithoutFile(m_state.AppTitle));
    m_saveEntries.saveAs->setEnabled(false);
    m_saveEntries.save->setEnabled(false);
}

void TextCommands::copier()
{
    if (m_texte->document()->isEmpty())
        return;
    m_texte->setFocus();
    m_texte->selectAll();
    m_texte->copy();
    m_prompter.ask(Prompter::Icon::Information, Messages::textCopied(), Prompter::Buttons::Ok);
}

void TextCommands::coller()
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
    if (watched == m_texte && event->type() == QEvent::KeyRelease && m_direction == 1) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat() && TextRules::releaseStepsCaretBack(key->key(), key->text()))
            stepCaretBack();
    }
    return QObject::eventFilter(watched, event);
}

void TextCommands::takeSnapshotIfNotEmpty()
{
    if (!m_texte->document()->isEmpty())
        m_recup = m_texte->toPlainText();
}

void TextCommands::stepCaretBack()
{
    QTextCursor cursor = m_texte->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::PreviousCharacter);
    m_texte->setTextCursor(cursor);
}
