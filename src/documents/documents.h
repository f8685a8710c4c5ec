#pragma once

#include "text/textfile.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QPlainTextEdit;
class QWidget;
class Appearance;
class KeyboardFiles;
class Prompter;
struct AppState;

// "Charger...", "Sauver", "Sauver sous..." and the exit dialogue: the text as a file on disk, with the
// document header for Tapoli's own type, and never a close that drops text the user meant to keep.
class Documents : public QObject
{
    Q_OBJECT

public:
    // Declined: the user turned the save down at its first question, or cancelled its dialog.
    // NotSaved: the user wanted it saved, but nothing was written (a write failed, a replacement or a
    // change of encoding was refused), so the text is still only in the window.
    enum class Outcome { Saved, Declined, NotSaved };

    struct Entries
    {
        QAction *saveAs = nullptr;
        QAction *save = nullptr;
    };

    Documents(QPlainTextEdit *texte, QWidget *window, Appearance &appearance, KeyboardFiles &keyboardFiles,
              AppState &state, Prompter &prompter, Entries entries, const QStringList &arguments,
              QObject *parent = nullptr);

    void Charger();
    Outcome Sauver();
    Outcome SauverSous();
    // True when the window may close: the text was saved, or the user chose to let it go.
    bool confirmExit();

    TextFile::Encoding encoding() const { return m_encoding; }
    // The text was emptied and its document forgotten: what comes next is a new text.
    void forgetDocument() { m_encoding = TextFile::Encoding::Windows1252; }

private:
    QStringList textLines() const;
    void setTextLines(const QStringList &lines);
    bool open(const QString &path);
    Outcome write(const QString &path);

    QPlainTextEdit *m_texte;
    QWidget *m_window;
    Appearance &m_appearance;
    KeyboardFiles &m_keyboardFiles;
    AppState &m_state;
    Prompter &m_prompter;
    Entries m_entries;
    QString m_argument;
    // A document is written back in the encoding it was read in; new ones in Windows-1252.
    TextFile::Encoding m_encoding = TextFile::Encoding::Windows1252;
};
