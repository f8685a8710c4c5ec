#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>

// A button that types its caption. Characters with no glyph of their own (DEL and the bytes Windows
// leaves undefined) show as a blank instead of a font's "missing" box, and still type themselves.
class CharacterButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
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
