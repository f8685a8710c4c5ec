#pragma once

#include <QFont>
#include <QMimeData>
#include <QPushButton>

// A button that types its caption. Control characters (DEL, the bytes Windows leaves undefined, a
// layout file's ESC) show their code instead of a font's "missing" box, and type nothing; a
// character the chosen font cannot draw shows greyed, and its tooltip says why. Its tooltip and its
// accessible name describe the character in French. It can be dragged into another program as text,
// and the arrow keys move the focus to the nearest button of its grid.
class CharacterButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CharacterButton(QWidget *parent = nullptr);
    explicit CharacterButton(const QString &caption, QWidget *parent = nullptr);

    // Every caption change goes through here, so the accessible name follows the character.
    void setCaption(const QString &caption);
    // The character the caption types ("&&" types "&").
    QString character() const;
    // False when the button's font has no glyph for its character.
    bool fontHasCharacter() const;
    // What a drag out of the button carries: its character as plain text.
    QMimeData *dragData() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void moveFocus(int key);
    void clickKeepingFocus();

    bool m_pressed = false;
    mutable QFont m_checkedFont;
    mutable QString m_checkedCharacter;
    mutable bool m_fontHasCharacter = true;
};
