#include "app/releasewherepressed.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

ReleaseWherePressed::~ReleaseWherePressed() = default;

bool ReleaseWherePressed::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (m_delivering
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return false;
    // Before Qt hands the event to a widget: a window's events are the window system's own.
    auto *window = qobject_cast<QWindow *>(watched);
    if (!window || !event->spontaneous())
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);

    if (type == QEvent::MouseMove && m_press && !m_heldMove && window == m_window
        && mouse->buttons().testFlag(m_press->button())) {
        m_heldMove.reset(mouse->clone());
        QTimer::singleShot(0, this, &ReleaseWherePressed::deliverHeldMove);
        return true;
    }
    if (type == QEvent::MouseButtonRelease && m_press && m_heldMove && window == m_window
        && mouse->button() == m_press->button() && mouse->timestamp() == m_heldMove->timestamp()) {
        m_heldMove.reset();
        QMouseEvent atPress(QEvent::MouseButtonRelease, m_press->position(), m_press->scenePosition(),
                            m_press->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers(),
                            mouse->pointingDevice());
        atPress.setTimestamp(mouse->timestamp());
        m_press.reset();
        deliver(&atPress);
        return true;
    }
    // Anything else comes after the move it may have kept waiting.
    deliverHeldMove();
    m_press.reset();
    if (type == QEvent::MouseButtonPress) {
        m_press.reset(mouse->clone());
        m_window = window;
    }
    return false;
}

void ReleaseWherePressed::deliverHeldMove()
{
    if (!m_heldMove)
        return;
    const std::unique_ptr<QMouseEvent> move = std::move(m_heldMove);
    // The press has had its first move: the moves after it go their way at once.
    m_press.reset();
    deliver(move.get());
}

void ReleaseWherePressed::deliver(QMouseEvent *event)
{
    if (!m_window)
        return;
    m_delivering = true;
    QCoreApplication::sendEvent(m_window, event);
    m_delivering = false;
}
