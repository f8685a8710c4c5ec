#include "app/splashwindow.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {
const QColor Background(240, 202, 166);
const QColor Maroon(128, 0, 0);
const QColor ShadowYellow(255, 255, 0);
} // namespace

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Splash commun"));
    setFixedSize(326, 126);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Background);

    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(120);
    title.setBold(true);
    title.setItalic(true);
    painter.setFont(title);
    const QRect titleArea(0, -14, width(), 120);
    painter.setPen(ShadowYellow);
    painter.drawText(titleArea.translated(4, 4), Qt::AlignCenter, QStringLiteral("Tapoli"));
    painter.setPen(Maroon);
    painter.drawText(titleArea, Qt::AlignCenter, QStringLiteral("Tapoli"));

    QFont note = font();
    note.setPixelSize(11);
    note.setBold(true);
    painter.setFont(note);
    painter.setPen(Qt::black);
    const QRect notes = rect().adjusted(8, 0, -8, -4);
    painter.drawText(notes, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Un instant..."));
    painter.drawText(notes, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Please wait..."));
}
