#pragma once

// How an event flows through Tapoli: every key and character button reports its caption to
// TextCommands::InsertChar, which snapshots `texte` for "Annuler", writes the character at the
// caret, steps the caret back in right-to-left mode and enables the save entries (SaveMenuRule).
// The main window builds the widgets, runs the start-up sequence on its first show, and answers
// the appearance controls; every question or notice goes through the injected Prompter, and the
// program-wide values live in one AppState the commands share.

#include "app/appstate.h"
#include "settings/settings.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class Appearance;
class CharacterList;
class CharacterPages;
class ColourSwatch;
class Documents;
class DonationWindow;
class HelpWindow;
class KeyboardFiles;
class KeyboardPage;
class ProgramLauncher;
class Prompter;
class TextCommands;

// TForm1: the window the user works in, owner of every widget and of the program-wide state.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Prompter &prompter, ProgramLauncher &launcher, const QStringList &arguments,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    const AppState &state() const { return m_state; }
    HelpWindow *helpWindow() const { return m_help; }
    DonationWindow *donationWindow() const { return m_donation; }

signals:
    // Every paint; the splash window leaves at the first.
    void painted();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createUpperBar();
    void createTextArea();
    void createLowerPanel();
    void createNotebook(QWidget *panel);
    void connectCommands();
    void FormShow();

    void exitCommand();
    void applyStoredGeometry();
    void writeSettings();
    void UpDown2Click(bool up);
    void setKeyFontSize(int pointSize, QWidget *root = nullptr);
    void pageShown(int index);
    void showHelp(int context);
    void showDonation();

    Prompter &m_prompter;
    ProgramLauncher &m_launcher;
    QStringList m_arguments;
    AppState m_state;
    Settings m_settings;
    QElapsedTimer m_startedAt;
    bool m_startedUp = false;
    bool m_exitConfirmed = false;

    QAction *m_quitter = nullptr;
    QAction *m_charger = nullptr;
    QAction *m_sauverSous = nullptr;
    QAction *m_sauver = nullptr;
    QAction *m_copierTout = nullptr;
    QAction *m_coller = nullptr;
    QAction *m_donationAction = nullptr;
    QAction *m_aide = nullptr;

    QPlainTextEdit *m_texte = nullptr;
    ColourSwatch *m_couleurFond = nullptr;
    ColourSwatch *m_couleurTexte = nullptr;
    QComboBox *m_ascenceurs = nullptr;
    QButtonGroup *m_alignement = nullptr;
    QCheckBox *m_ckPolice = nullptr;
    QComboBox *m_polices = nullptr;
    QSpinBox *m_taillst = nullptr;
    CharacterList *m_listBox1 = nullptr;
    QTabWidget *m_tables = nullptr;
    KeyboardPage *m_keyboardPage = nullptr;

    QPushButton *m_entree = nullptr;
    QPushButton *m_btespace = nullptr;
    QPushButton *m_sup = nullptr;
    QPushButton *m_supprimer = nullptr;
    QPushButton *m_initialiser = nullptr;
    QPushButton *m_copie = nullptr;
    QPushButton *m_quitte = nullptr;

    TextCommands *m_commands = nullptr;
    Appearance *m_appearance = nullptr;
    CharacterPages *m_characterPages = nullptr;
    KeyboardFiles *m_keyboardFiles = nullptr;
    Documents *m_documents = nullptr;
    HelpWindow *m_help = nullptr;
    DonationWindow *m_donation = nullptr;
};
