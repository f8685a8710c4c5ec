#pragma once

#include <QProxyStyle>

// The desktop's own style, except for the arrow a menu bar shows when its entries do not fit: that
// one is drawn here. The style would decode it from an image, and finding the decoder loads every
// image format plugin while the menu bar is being built, before the window can show.
class TapoliStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
