#pragma once

#include <QColor>
#include <QObject>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QSpinBox;
class ColourSwatch;
class FontNameDelegate;
class Prompter;
class TextCommands;
struct AppState;

// How the text and the character buttons look: font, text size, direction, colours and scroll bars.
// Keyboard files and documents set these controls and then run the same handlers the user does.
class Appearance : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QComboBox *polices = nullptr;
        QCheckBox *CKpolice = nullptr;
        QSpinBox *Taillst = nullptr;
        QButtonGroup *Alignement = nullptr;
        ColourSwatch *Couleurfond = nullptr;
        ColourSwatch *Couleurtexte = nullptr;
        QComboBox *Ascenceurs = nullptr;
    };

    Appearance(const Controls &controls, QPlainTextEdit *texte, QWidget *window, AppState &state,
               Prompter &prompter, TextCommands &commands, QObject *parent = nullptr);

    void fillFontPicker();
    // Selects the first entry equal to the name (case counts); no entry selected when none is.
    void selectFont(const QString &name);
    void setTextSize(int size);
    void setColours(const QColor &background, const QColor &text);
    int direction() const;
    // Sets the text's justification and reading order alone, as at start-up.
    void applyDirection(int direction);
    QString fontName() const;
    bool hasFontSelected() const;
    void selectFirstFont();
    QString sizeText() const;

    // The handlers, also run by the keyboard and document loaders after they set the controls.
    void policesChange();
    void TaillstChange(int size);
    void AlignementClick(int direction);
    void AscenceursChange(int index);
    void CKpoliceClick();
    void CouleurfondRelease();
    void CouleurtexteRelease();

    // Gives the buttons and lists of a page built after start-up the text's present font family.
    void dressNewPage(QWidget *page);
    // "Sauver" for a named document of Tapoli's own type, whose font, size and direction it records.
    void enableSaveForTapoliDocument();

private:
    void applyFontFamily(const QString &family);
    static void applyFamilyWithin(QWidget *root, const QString &family);
    void enableSaveEntries();

    Controls m_controls;
    QPlainTextEdit *m_texte;
    QWidget *m_window;
    AppState &m_state;
    Prompter &m_prompter;
    TextCommands &m_commands;
    FontNameDelegate *m_fontNames;
};
