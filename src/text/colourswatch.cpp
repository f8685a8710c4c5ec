#include "text/colourswatch.h"

#include <QEvent>
#include <QPainter>

ColourSwatch::ColourSwatch(QWidget *shown, QPalette::ColorRole role, QWidget *parent)
    : QAbstractButton(parent)
    , m_shown(shown)
    , m_role(role)
{
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab; a click leaves the focus where it was, in the text most of the time.
    setFocusPolicy(Qt::TabFocus);
    // Repainted whenever the colour changes, whoever changes it.
    m_shown->installEventFilter(this);
}

QColor ColourSwatch::colour() const
{
    return m_shown->palette().color(m_role);
}

bool ColourSwatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_shown && event->type() == QEvent::PaletteChange)
        update();
    return QAbstractButton::eventFilter(watched, event);
}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), colour());
    painter.setPen(isEnabled() ? Qt::black : Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        // The swatch is too small for a focus frame inside it: a dotted line in its border shows the focus.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
