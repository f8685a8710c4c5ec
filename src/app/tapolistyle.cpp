#include "app/tapolistyle.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace {

// Two chevrons, pointing right for a horizontal bar and down for a vertical one, drawn at whatever
// size and pixel ratio they are asked for, so that they stay sharp at any scale.
class ExtensionArrow : public QIconEngine
{
public:
    explicit ExtensionArrow(Qt::Orientation orientation)
        : m_orientation(orientation)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal side = qMin(rect.width(), rect.height());
        if (side <= 0)
            return;
        const QPalette::ColorGroup group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Normal;
        QPen pen(QGuiApplication::palette().color(group, QPalette::WindowText), qMax<qreal>(1.0, side / 10.0));
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);

        // Drawn pointing right in a unit square, then turned for a vertical bar.
        QPainterPath chevrons;
        for (const qreal left : {0.28, 0.52}) {
            chevrons.moveTo(left, 0.3);
            chevrons.lineTo(left + 0.18, 0.5);
            chevrons.lineTo(left, 0.7);
        }
        const QPointF centre = QRectF(rect).center();
        QTransform place;
        place.translate(centre.x() - side / 2, centre.y() - side / 2);
        place.scale(side, side);
        if (m_orientation == Qt::Vertical) {
            place.translate(1, 0);
            place.rotate(90);
        }

        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(place.map(chevrons));
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap drawn(size);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return drawn;
    }

    QIconEngine *clone() const override { return new ExtensionArrow(m_orientation); }

private:
    Qt::Orientation m_orientation;
};

} // namespace

QIcon TapoliStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton)
        return QIcon(new ExtensionArrow(Qt::Horizontal));
    if (standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new ExtensionArrow(Qt::Vertical));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
