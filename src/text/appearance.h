#pragma once

#include "text/direction.h"

#include <QColor>
#include <QObject>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QSpinBox;
class QWidget;
class FontNameDelegate;
class Prompter;

// How the text looks: its font, size, direction, colours and scroll bars. It builds the controls that
// choose them and owns what they show; layout files and documents set these through the same handlers
// the user runs. It says what changed, and the keys, pages, layout files and save entries follow.
class Appearance : public QObject
{
    Q_OBJECT

public:
    Appearance(QPlainTextEdit *texte, Prompter &prompter, QObject *parent = nullptr);

    // The bar above the text (`Panel2`): the two colour swatches and the scroll-bar choice.
    QWidget *createColourBar(QWidget *parent);
    // The direction group, the "police" check box, the font picker and the size box, at their places
    // in the lower panel.
    void createTextControls(QWidget *panel);

    void fillFontPicker();
    // Selects the first entry equal to the name (case counts); no entry selected when none is.
    void selectFont(const QString &name);
    bool hasFontSelected() const;
    void selectFirstFont();
    QString fontName() const;
    void setTextSize(int size);
    int textSize() const;
    QString sizeText() const;
    Direction direction() const;
    // The text's justification and reading order alone, as at start-up: no handler runs.
    void applyDirection(Direction direction);
    void setColours(const QColor &background, const QColor &text);
    QColor background() const;
    QColor textColour() const;
    int scrollBars() const;
    void setScrollBars(int index);

    // The handlers: the font picker's choice (policesChange), a new size in `Taillst`, a direction chosen
    // in `Alignement`.
    void applyFontChoice();
    void applyTextSize(int size);
    void chooseDirection(Direction direction);

signals:
    void fontChosen(const QString &family);
    void textSizeChanged();
    void directionChosen(Direction direction);

private:
    void showOwnTypefaces(bool own);
    void chooseBackground();
    void chooseTextColour();

    QPlainTextEdit *m_texte;
    Prompter &m_prompter;
    QComboBox *m_polices = nullptr;
    QCheckBox *m_ckPolice = nullptr;
    QSpinBox *m_taillst = nullptr;
    QButtonGroup *m_alignement = nullptr;
    QComboBox *m_ascenceurs = nullptr;
    FontNameDelegate *m_fontNames = nullptr;
};
