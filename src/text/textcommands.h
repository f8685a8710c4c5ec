#pragma once

#include "text/direction.h"

#include <QObject>
#include <QString>

#include <functional>

class QPlainTextEdit;
class QTextCursor;
class Prompter;
class WholeText;
class WritingElsewhere;

// The commands that write into the text area `texte`: InsertChar behind every key and list, the lower
// panel's space, Enter, delete, undo, clear and copy buttons, and "Coller". They own the undo snapshot
// (`recup`) and nothing of the window: the save entries and the caption follow their `edited` signal
// elsewhere.
class TextCommands : public QObject
{
    Q_OBJECT

public:
    // `direction` says, at each insertion, which way the text is written; the appearance controls own it.
    TextCommands(QPlainTextEdit *texte, Prompter &prompter, std::function<Direction()> direction,
                 QObject *parent = nullptr);
    ~TextCommands() override;

    // Every key, character button and list double-click comes here. Right to left, a key keeps the caret
    // in front of what it typed; the lists put the character in place whatever the direction.
    void InsertChar(const QString &caption, Insertion insertion = Insertion::FollowDirection);
    // The text as the commands see it, kept up to date edit by edit (tests compare it with the document).
    QString text() const { return m_shadow.text(); }
    // While it is on, the keys, "< Entrée >", "<ESPACE>", "<SUP>" and "Annuler" write there instead.
    void setWritingElsewhere(WritingElsewhere *elsewhere) { m_elsewhere = elsewhere; }

    void espace();
    void entree();
    void sup();
    void annuler();
    // "Initialiser": the snapshot first, the question when the named document was modified, then an
    // empty text. False when the user kept the text.
    bool initialiser(const QString &documentFileName);
    void copier();
    void coller();

    // Where the text may still be loading; each command that needs the whole text waits for it there.
    void setWholeText(WholeText *whole) { m_whole = whole; }
    // A loading document's text in place of the whole text: the snapshot is kept, the text emptied and
    // the commands' copy takes the whole new text at once; `putLoaded` then brings it in, a piece at a
    // time at `cursor`, and `endLoad` ends it, true when something else changed the text meanwhile.
    void startLoad(const QString &text);
    void putLoaded(QTextCursor &cursor, QStringView piece);
    bool endLoad();

signals:
    // The text changed, or a command ran that offers to save it even when nothing changed: once for each
    // command, however many changes it made. "Initialiser" does not tell it.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void whenWhole(void (TextCommands::*command)());
    void whenWhole(std::function<void()> command);
    void insertCharacter(const QString &character, bool stepBack);
    void newLineAfterCaret();
    void deleteSelection();
    void undo();
    void copyWholeText();
    void paste();
    bool takeSnapshotIfNotEmpty();
    void stepCaretBack();
    void replaceSelection(const QString &character, bool afterSnapshot);
    void followChange(int position, int removed, int added);

    QPlainTextEdit *m_texte;
    Prompter &m_prompter;
    std::function<Direction()> m_direction;
    WritingElsewhere *m_elsewhere = nullptr;
    bool writesElsewhere() const;
    // A copy of the text that follows every edit, so that nothing on the way of a click walks the whole
    // text: QTextDocument::toPlainText() would, and so would copying a long text for each snapshot.
    // Held in two parts around the place of the last edit, so that typing on at one place moves none
    // of a long text: one string would move everything after the caret for each character.
    class FollowedText
    {
    public:
        void setText(const QString &text)
        {
            m_before = text;
            m_after.clear();
        }
        QString text() const { return m_after.isEmpty() ? m_before : m_before + m_after; }
        qsizetype size() const { return m_before.size() + m_after.size(); }
        void replace(qsizetype position, qsizetype removed, const QString &inserted);

    private:
        QString m_before;
        QString m_after;
    } m_shadow;
    int m_changes = 0;

    // The undo snapshot: one level deep, restored as often as asked, and none until something took one,
    // so an undo before any click never replaces the user's typing. It is kept in the cheapest form
    // that still gives the text back (the present text, or the present text less the character just
    // inserted) and copied out only when another edit is about to change the text.
    struct Snapshot
    {
        enum class Form { None, Stored, Current, BeforeInsertion };
        Form form = Form::None;
        QString stored;
        int changes = -1;    // the lazy forms hold while the text has not changed since
        int position = -1;   // BeforeInsertion: where the inserted character stands
        int length = 1;      // BeforeInsertion: its code units (two outside the Basic Multilingual Plane)
        QString replaced;    // BeforeInsertion: what it replaced
    } m_recup;
    bool m_ownEdit = false;
    bool m_commandRunning = false;
    void keepSnapshot();

    WholeText *m_whole = nullptr;
    // Between startLoad and endLoad the copy holds the whole text being loaded, ahead of the text area.
    bool m_loading = false;
    bool m_loadEdit = false;
    bool m_changedWhileLoading = false;
};
