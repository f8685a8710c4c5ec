#pragma once

#include "donation/creditsscroll.h"

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>

class QTimer;

// A panel of centred credit lines that scroll upwards, drawn off screen and copied whole each frame.
class ScrollingCredits : public QWidget
{
    Q_OBJECT

public:
    explicit ScrollingCredits(QWidget *parent = nullptr);

    QStringList Credits() const { return m_credits; }
    void setCredits(const QStringList &credits);
    void setCreditsFont(const QFont &font);
    void setCreditsColor(const QColor &colour);
    void setBackgroundColor(const QColor &colour);
    void setBorderColor(const QColor &colour);
    bool Animate() const { return m_animate; }
    void setAnimate(bool animate);
    void setInterval(int milliseconds);

    const CreditsScroll &scroll() const { return m_scroll; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void timerTick();
    void measure();

    QStringList m_credits;
    QFont m_font;
    QColor m_text = Qt::white;
    QColor m_background = Qt::black;
    QColor m_border = Qt::white;
    bool m_animate = false;
    QTimer *m_timer;
    CreditsScroll m_scroll;
};
