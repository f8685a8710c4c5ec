#pragma once

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
