#pragma once

#include <QObject>
#include <QString>

#include <optional>

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
    void SaveMenuRule();

    void espace();
    void entree();
    void sup();
    void annuler();
    void initialiser();
    void copier();
    void coller();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeSnapshotIfNotEmpty();
    void stepCaretBack();

    QPlainTextEdit *m_texte;
    QWidget *m_window;
    AppState &m_state;
    Prompter &m_prompter;
    SaveEntries m_saveEntries;
    int m_direction = 0;
    // The undo snapshot: one level deep, restored as often as asked. Empty until something took one,
    // so an undo before any click never replaces the user's typing.
    std::optional<QString> m_recup;
};
