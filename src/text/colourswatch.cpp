#include "text/colourswatch.h"

#include <QPainter>

ColourSwatch::ColourSwatch(QWidget *parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab; a click leaves the focus where it was, in the text most of the time.
    setFocusPolicy(Qt::TabFocus);
}

void ColourSwatch::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
    painter.setPen(isEnabled() ? Qt::black : Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        // The swatch is too small for a focus frame inside it: a dotted line in its border shows the focus.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
