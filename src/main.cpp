#include "app/dialogprompter.h"
#include "app/mainwindow.h"
#include "app/splashwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tapoli"));
    QApplication::setApplicationVersion(QStringLiteral("4.2"));

    DialogPrompter prompter;
    MainWindow window(prompter, QApplication::arguments().mid(1));
    prompter.setDialogParent(&window);

    SplashWindow splash;
    splash.show();
    QObject::connect(&window, &MainWindow::painted, &splash, &QWidget::hide);

    window.show();
    return QApplication::exec();
}
