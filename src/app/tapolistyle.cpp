#include "app/tapolistyle.h"

#include <qdrawutil.h>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QStyleOption>

namespace {

// Fusion's group-box frame, pixel for pixel: its six-pixel corners around one pixel of each edge and of
// the inside, which Fusion stretches along the frame.
constexpr QRgb GroupBoxFrame[13 * 13] = {
    0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff, 0x00ffffff,
    0x00ffffff, 0x0d272727, 0x345d5d5d, 0x346c6c6c, 0x32757575, 0x32757575, 0x32757575, 0x32757575, 0x32757575, 0x32757575, 0x346c6c6c, 0x37666666, 0x0c151515,
    0x00ffffff, 0x39626262, 0x1f5a5a5a, 0x0a000000, 0x08000000, 0x07000000, 0x07000000, 0x07000000, 0x07000000, 0x08000000, 0x0a000000, 0x1e5e5e5e, 0x355b5b5b,
    0x00ffffff, 0x346c6c6c, 0x09000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x09000000, 0x346c6c6c,
    0x00ffffff, 0x32757575, 0x08000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x08000000, 0x32757575,
    0x00ffffff, 0x32757575, 0x07000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x07000000, 0x32757575,
    0x00ffffff, 0x32757575, 0x07000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x07000000, 0x32757575,
    0x00ffffff, 0x32757575, 0x07000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x07000000, 0x32757575,
    0x00ffffff, 0x32757575, 0x07000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x07000000, 0x32757575,
    0x00ffffff, 0x32757575, 0x08000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x08000000, 0x32757575,
    0x00ffffff, 0x346c6c6c, 0x09000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x03000000, 0x09000000, 0x346c6c6c,
    0x00ffffff, 0x355b5b5b, 0x1e5e5e5e, 0x0a000000, 0x08000000, 0x07000000, 0x07000000, 0x07000000, 0x07000000, 0x08000000, 0x0a000000, 0x1f5a5a5a, 0x39626262,
    0x00ffffff, 0x0c151515, 0x37666666, 0x346c6c6c, 0x32757575, 0x32757575, 0x32757575, 0x32757575, 0x32757575, 0x32757575, 0x346c6c6c, 0x345d5d5d, 0x0d272727,
};

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

void TapoliStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    if (element != PE_FrameGroupBox || baseStyle()->name() != QLatin1String("fusion")) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    static const QPixmap frame = QPixmap::fromImage(
        QImage(reinterpret_cast<const uchar *>(GroupBoxFrame), 13, 13, 13 * sizeof(QRgb), QImage::Format_ARGB32));
    // Fusion's margin above the frame: room for the title, or three pixels when there is none.
    constexpr int TopMargin = 3;
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    const int top = box && !box->isCheckable() && box->title().isEmpty()
                        ? TopMargin
                        : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) + TopMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), frame);
}
