#include "keyboards/characterbutton.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// A drag a key takes: one written by a character list of this program, or by none at all when
// its source is a widget here that is not a list.
bool comesFromCharacterList(const QDropEvent *event)
{
    if (event->source() && !qobject_cast<const QListWidget *>(event->source()))
        return false;
    return event->mimeData()->hasFormat(CharacterList::mimeType());
}

} // namespace

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

KeyButton::KeyButton(const QString &caption, QWidget *parent)
    : CharacterButton(caption, parent)
{
    setAcceptDrops(true);
}

void KeyButton::dragEnterEvent(QDragEnterEvent *event)
{
    if (comesFromCharacterList(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void KeyButton::dragMoveEvent(QDragMoveEvent *event)
{
    if (comesFromCharacterList(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void KeyButton::dropEvent(QDropEvent *event)
{
    if (!comesFromCharacterList(event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit characterDropped(QString::fromUtf8(event->mimeData()->data(CharacterList::mimeType())));
}

CharacterList::CharacterList(QWidget *parent)
    : QListWidget(parent)
{
    setUniformItemSizes(true);
    setItemDelegate(new CharacterItemDelegate(this));
}

QString CharacterList::mimeType()
{
    return QStringLiteral("application/x-tapoli-character");
}

QStringList CharacterList::mimeTypes() const
{
    return {mimeType(), QStringLiteral("text/plain")};
}

QMimeData *CharacterList::mimeData(const QList<QListWidgetItem *> &items) const
{
    auto *data = new QMimeData;
    const QString character = items.isEmpty() ? QString() : items.first()->text().left(1);
    data->setData(mimeType(), character.toUtf8());
    data->setText(character);
    return data;
}

void CharacterList::startDrag(Qt::DropActions supportedActions)
{
    const QListWidgetItem *item = currentItem();
    emit dragStarted(item ? item->text().left(1) : QString());
    QListWidget::startDrag(supportedActions);
}
