#include "app/widgets.h"

#include <QPainter>
#include <QToolButton>

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

UpDownArrows::UpDownArrows(QWidget *parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAutoRepeat(true);
    m_down->setAutoRepeat(true);
    connect(m_up, &QToolButton::clicked, this, [this] { emit stepped(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit stepped(false); });
}

void UpDownArrows::setArrowNames(const QString &up, const QString &down)
{
    m_up->setAccessibleName(up);
    m_down->setAccessibleName(down);
}

void UpDownArrows::resizeEvent(QResizeEvent *)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

TextSizeBox::TextSizeBox(QWidget *parent)
    : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

QValidator::State TextSizeBox::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return QValidator::Intermediate;
    bool number = false;
    const int size = input.toInt(&number);
    if (!number || input.size() > 3 || input.startsWith(QLatin1Char('-')) || input.startsWith(QLatin1Char('+')))
        return QValidator::Invalid;
    return size >= minimum() && size <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}
