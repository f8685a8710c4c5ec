#include "donation/scrollingcredits.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

ScrollingCredits::ScrollingCredits(QWidget *parent)
    : QWidget(parent)
    , m_font(font())
    , m_timer(new QTimer(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_timer, &QTimer::timeout, this, &ScrollingCredits::timerTick);
    measure();
}

void ScrollingCredits::setCredits(const QStringList &credits)
{
    m_credits = credits;
    measure();
    update();
}

void ScrollingCredits::setCreditsFont(const QFont &font)
{
    m_font = font;
    measure();
    update();
}

void ScrollingCredits::setCreditsColor(const QColor &colour)
{
    m_text = colour;
    update();
}

void ScrollingCredits::setBackgroundColor(const QColor &colour)
{
    m_background = colour;
    update();
}

void ScrollingCredits::setBorderColor(const QColor &colour)
{
    m_border = colour;
    update();
}

void ScrollingCredits::setAnimate(bool animate)
{
    m_animate = animate;
    measure();
    m_scroll.restart();
    if (animate)
        m_timer->start();
    else
        m_timer->stop();
    update();
}

void ScrollingCredits::setInterval(int milliseconds)
{
    m_timer->setInterval(milliseconds);
}

void ScrollingCredits::measure()
{
    m_scroll.lineHeight = QFontMetrics(m_font).height();
    m_scroll.controlHeight = height();
    m_scroll.lineCount = int(m_credits.size());
}

void ScrollingCredits::timerTick()
{
    m_scroll.tick();
    update();
}

void ScrollingCredits::paintEvent(QPaintEvent *)
{
    // Drawn off screen first, so a frame never shows half-painted while the text moves.
    const qreal ratio = devicePixelRatioF();
    QPixmap frame(size() * ratio);
    frame.setDevicePixelRatio(ratio);
    {
        QPainter painter(&frame);
        const QRect edge = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(rect(), m_background);
        painter.setPen(m_border);
        painter.drawRect(edge);
        painter.setFont(m_font);
        painter.setPen(m_text);
        const QFontMetrics metrics(m_font);
        int y = m_scroll.firstLineY(m_animate);
        for (const QString &line : m_credits) {
            if (y + m_scroll.lineHeight >= 0 && y <= height()) {
                const int x = width() / 2 - metrics.horizontalAdvance(line) / 2;
                painter.drawText(x, y + metrics.ascent(), line);
            }
            y += m_scroll.lineHeight;
        }
        painter.setPen(m_border);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(edge);
    }
    QPainter(this).drawPixmap(0, 0, frame);
}
