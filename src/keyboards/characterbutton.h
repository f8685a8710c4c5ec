#pragma once

#include <QListWidget>
#include <QMimeData>
#include <QPoint>
#include <QPushButton>
#include <QStyledItemDelegate>

// A button that types its caption. Characters with no glyph of their own (DEL and the bytes Windows
// leaves undefined) show as a blank instead of a font's "missing" box, and still type themselves; a
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

    QPoint m_pressPosition;
    bool m_pressed = false;
    mutable QString m_checkedKey;
    mutable bool m_fontHasCharacter = true;
};

// A key of the keyboard page: a character button that also takes a character dropped from a
// character list, which remaps it.
class KeyButton : public CharacterButton
{
    Q_OBJECT

public:
    explicit KeyButton(const QString &caption, QWidget *parent = nullptr);

signals:
    void characterDropped(const QString &character);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

// A list of the characters 32 to 255. When drags are enabled, a drag carries the selected character
// in a format only these lists write, which is how a key knows the drag comes from a list.
class CharacterList : public QListWidget
{
    Q_OBJECT

public:
    explicit CharacterList(QWidget *parent = nullptr);

    static QString mimeType();

signals:
    void dragStarted(const QString &character);

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
    void startDrag(Qt::DropActions supportedActions) override;
};

// The same rule for the items of the character lists.
class CharacterItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

// True for a text made only of control characters, which fonts draw as boxes.
bool hasNoGlyph(const QString &text);
