#pragma once

// How an event flows through Tapoli. A key, a character button or a list double-click reports its
// caption to TextCommands::InsertChar, which snapshots `texte` for "Annuler", writes the character at
// the caret and steps the caret back in right-to-left mode, then says `edited`, once for the command;
// Documents hands that to SaveEntries, where SaveRules::entriesAfter decides the save entries.
// The text's look (font, size, direction) changes in one place, Appearance::apply, with its cause: the
// user's handlers give LookCause::User, KeyboardFiles::load a layout file's look as LayoutFile,
// Documents::applyHeader a document's header as DocumentHeader, and start-up the stored font and size as
// StartUp. Appearance then says fontFamilyChanged, which the keys, the character pages and the lists
// take, and lookChanged with the cause, from which KeyRules::keyboardModifiedAfter gives
// `KeyboardModified` and SaveRules::entriesAfter the save entries; nothing is set there to be undone.
// An opened document goes in through Documents' DocumentLoader; until its text is whole, every command
// that needs the text (keys typed into it included) waits there and runs in its turn.
// The main window lays the subsystems out, wires them, runs the start-up sequence on its first show and
// the exit dialogue; every question or notice goes through the injected Prompter.
//
// Names the program and its files already use, kept as object names and file keys:
//   texte            the text area                    recup      the undo snapshot (TextCommands)
//   tables           the notebook of three pages      Panel1/2   the lower panel / the colour bar
//   tchA…tchZ        the letter keys                  Button1…55 the other keys (both: KeyboardPage)
//   t032…t255        the all-characters buttons       bG1…bG0    the ten large buttons (CharacterPages)
//   ListBox1/2       the character lists              UpDown1/2  the large-format / key-size arrows
//   entree, btespace, sup, supprimer, Initialiser, copie, Quitte: "< Entrée >", "<ESPACE>", "<SUP>",
//   "Annuler", "Initialiser", "COPIER", "EXIT"; Alignement, polices, Taillst, CKpolice, Couleurfond,
//   Couleurtexte, Ascenceurs: the appearance controls (Appearance).

#include "settings/settings.h"
#include "shared/filedialogs.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>

class QAbstractButton;
class QAction;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class Appearance;
class CharacterFinder;
class CharacterPages;
class Documents;
class DonationWindow;
class DwellClick;
class HelpWindow;
class KeyboardFiles;
class KeyboardPage;
class ProgramLauncher;
class Prompter;
class TextCommands;
class WindowOptions;

// TForm1: the window the user works in. It places what the subsystems build and connects them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Prompter &prompter, ProgramLauncher &launcher, const QStringList &arguments,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    const KeyboardFiles &keyboardFiles() const { return *m_keyboardFiles; }
    const Documents &documents() const { return *m_documents; }
    HelpWindow *helpWindow() const { return m_help; }
    DonationWindow *donationWindow() const { return m_donation; }

    // A signal asked the program to end: nobody may be there to answer, so nothing is asked. The
    // settings are written, and every event loop ends, a dialog's too.
    void endWithoutQuestions();

signals:
    // Every paint; the splash window leaves at the first.
    void painted();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createTextArea();
    void createLowerPanel();
    void createNotebook(QWidget *panel);
    void connectCommands();
    void connectCharacterFinder();
    void startUp();

    bool confirmExit();
    void exitCommand();
    void applyStoredGeometry();
    void writeSettings();
    void keyboardFileNameChanged(const QString &fileName);
    void showHelp(int context);
    void showDonation();
    bool dwells(const QAbstractButton *button) const;

    Prompter &m_prompter;
    ProgramLauncher &m_launcher;
    QStringList m_arguments;
    QElapsedTimer m_startedAt;
    Settings m_settings;
    FileDialogs m_dialogs;
    bool m_startedUp = false;
    bool m_exitConfirmed = false;
    bool m_settingsProblemTold = false;
    // The size last brought back to the minimum: met again at once, the window system insists.
    QSize m_snappedBackFrom;

    QAction *m_quitAction = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_saveAsAction = nullptr;
    QAction *m_saveAction = nullptr;
    QAction *m_copyAllAction = nullptr;
    QAction *m_pasteAction = nullptr;
    QAction *m_donationAction = nullptr;
    QAction *m_helpAction = nullptr;
    QMenu *m_editionMenu = nullptr;

    QPlainTextEdit *m_texte = nullptr;
    QTabWidget *m_tables = nullptr;
    QPushButton *m_enterButton = nullptr;
    QPushButton *m_spaceButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_undoButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_copyButton = nullptr;
    QPushButton *m_exitButton = nullptr;

    Appearance *m_appearance = nullptr;
    TextCommands *m_commands = nullptr;
    KeyboardPage *m_keyboardPage = nullptr;
    CharacterPages *m_characterPages = nullptr;
    KeyboardFiles *m_keyboardFiles = nullptr;
    Documents *m_documents = nullptr;
    HelpWindow *m_help = nullptr;
    DonationWindow *m_donation = nullptr;
    WindowOptions *m_options = nullptr;
    DwellClick *m_dwell = nullptr;
    CharacterFinder *m_finder = nullptr;
};
