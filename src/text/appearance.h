#pragma once

#include "text/textlook.h"

#include <QColor>
#include <QObject>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QWidget;
class FontNameDelegate;
class Prompter;
class TextSizeBox;

// How the text looks: its font, size, direction, colours and scroll bars. It builds the controls that
// choose them and owns what they show. Font, size and direction change in one place, `apply`, with
// their cause: the user's handlers, a layout file, a document's header and the start all come there.
// It says what changed and why; the keys, pages, layout files and save entries follow.
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
    // Selects the first entry equal to the name (case counts); no entry selected when none is. The
    // text keeps its font until the choice is applied.
    void selectFont(const QString &name);
    // Whether the picker offers the name, case counting, and the first name it offers.
    bool hasFont(const QString &name) const;
    QString firstFont() const;
    // The picker's font name (empty when none is selected) and the family the text shows.
    QString fontName() const;
    QString fontFamily() const;
    int textSize() const;
    QString sizeText() const;
    Direction direction() const;

    // The parts of the look that the change holds, on the controls and the text. A family the picker
    // does not offer gives way to Arial, as a font choice with nothing selected does.
    void apply(const TextLook &look, LookCause cause);

    void setColours(const QColor &background, const QColor &text);
    QColor background() const;
    QColor textColour() const;
    int scrollBars() const;
    void setScrollBars(int index);

    // The user's font choice in the picker (policesChange).
    void applyFontChoice();

signals:
    // Any change of the text's family, whatever its cause: the keys, pages and lists take it.
    void fontFamilyChanged(const QString &family);
    // After each `apply`.
    void lookChanged(const LookChange &change);

private:
    // The user's other handlers: a size in `Taillst`, one it refuses, a direction in `Alignement`.
    void chooseSize(int size);
    void refuseSize();
    void chooseDirection(Direction direction);
    void showDirection(Direction direction);
    void showOwnTypefaces(bool own);
    void chooseBackground();
    void chooseTextColour();

    QPlainTextEdit *m_texte;
    Prompter &m_prompter;
    QComboBox *m_polices = nullptr;
    QCheckBox *m_ckPolice = nullptr;
    TextSizeBox *m_taillst = nullptr;
    QButtonGroup *m_alignement = nullptr;
    QComboBox *m_ascenceurs = nullptr;
    FontNameDelegate *m_fontNames = nullptr;
};
