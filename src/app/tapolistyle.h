#pragma once

#include <QProxyStyle>

// The desktop's own style, except for two pictures Qt's styles decode from images: the arrow a menu
// bar shows when its entries do not fit, and Fusion's group-box frame. Finding the decoder loads every
// image format plugin, while the menu bar is being built (before the window can show) and during the
// first paint; both are drawn here instead.
class TapoliStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
