#include "keyboards/characteritemdelegate.h"

#include "keyboards/characterset.h"

void CharacterItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (CharacterSet::hasNoGlyph(option->text))
        option->text = CharacterSet::shownCode(option->text);
}
