#pragma once

#include <QStyledItemDelegate>

// Draws the items of the character lists: a character with no glyph of its own shows as a blank,
// as it does on a button.
class CharacterItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
