#include "keyboards/keybutton.h"

#include "keyboards/characterlist.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

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
