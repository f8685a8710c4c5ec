#include "keyboards/characterbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

bool hasNoGlyph(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar character : text) {
        if (character.category() != QChar::Other_Control)
            return false;
    }
    return true;
}

void CharacterButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (hasNoGlyph(text()))
        option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
}

void CharacterItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (hasNoGlyph(option->text))
        option->text.clear();
}
