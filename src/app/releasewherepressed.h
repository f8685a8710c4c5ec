#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class QMouseEvent;
class QWindow;

// A click whose release the window system reports where the pointer went after it.
//
// While a window manager holds the pointer frozen for a moment (openbox does while it catches up with
// keymap changes another program made), a tool that clicks and moves on at once, as switch and dwell
// programs do, has its release reported at the pointer's new place with no motion before it. Qt then
// invents a move there, at the release's time: the button under the press sees the pointer leave it
// and the release outside, and the click is lost. Such a release is given back the press's place.
class ReleaseWherePressed : public QObject
{
public:
    using QObject::QObject;
    ~ReleaseWherePressed() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The first move after a press waits for the next turn of the event loop, so that a release of the
    // same instant can show it was never a move.
    void deliverHeldMove();
    void deliver(QMouseEvent *event);

    QPointer<QWindow> m_window;
    std::unique_ptr<QMouseEvent> m_press;
    std::unique_ptr<QMouseEvent> m_heldMove;
    bool m_delivering = false;
};
