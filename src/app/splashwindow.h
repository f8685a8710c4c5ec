#pragma once

#include <QWidget>

// The borderless "Tapoli" window that stands while the main window builds and first paints.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
