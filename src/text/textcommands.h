#pragma once

#include <QObject>
#include <QString>


class QAction;
class QPlainTextEdit;
class QWidget;
class Prompter;
struct AppState;

// The commands that write into the text area `texte`: InsertChar behind every key, the lower panel's
// space, Enter, delete, undo, clear and copy buttons, and "Coller".
class TextCommands : public QObject
{
    Q_OBJECT

public:
    struct SaveEntries
    {
        QAction *saveAs = nullptr;
        QAction *save = nullptr;
    };

    TextCommands(QPlainTextEdit *texte, QWidget *window, AppState &state, Prompter &prompter,
                 SaveEntries saveEntries, QObject *parent = nullptr);

    // 0 writes left to right; 1 keeps the caret in front of what was just typed.
    void setDirection(int direction) { m_direction = direction; }
    int direction() const { return m_direction; }
    SaveEntries saveEntries() const { return m_saveEntries; }

    void InsertChar(const QString &caption);
    // The character lists insert directly: no direction handling.
    void insertDirectly(const QString &character);
    // The text as the commands see it, kept up to date edit by edit (tests compare it with the document).
    const QString &text() const { return m_shadow; }
    void SaveMenuRule();

    void espace();
    void entree();
    void sup();
    void annuler();
    void initialiser();
    void copier();
    void coller();

signals:
    // "Initialiser" emptied the text and forgot its document.
    void cleared();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takeSnapshotIfNotEmpty();
    void stepCaretBack();
    void replaceSelection(const QString &character, bool afterSnapshot);
    void followChange(int position, int removed, int added);

    QPlainTextEdit *m_texte;
    QWidget *m_window;
    AppState &m_state;
    Prompter &m_prompter;
    SaveEntries m_saveEntries;
    int m_direction = 0;
    // A copy of the text that follows every edit, so that nothing on the way of a click walks the whole
    // text: QTextDocument::toPlainText() would, and so would copying a long text for each snapshot.
    QString m_shadow;
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
    void keepSnapshot();
};
