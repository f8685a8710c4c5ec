#include "app/commandline.h"
#include "app/dialogprompter.h"
#include "app/mainwindow.h"
#include "app/quitonsignal.h"
#include "app/splashwindow.h"
#include "app/tapolistyle.h"
#include "donation/systemlauncher.h"

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Answered before QApplication exists, so that help and version need no display and show no window.
    const QString answer = CommandLine::answer(CommandLine::arguments(argc, argv));
    if (!answer.isEmpty()) {
        std::fputs(answer.toUtf8().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tapoli"));
    QApplication::setApplicationVersion(QStringLiteral(TAPOLI_VERSION));

    // Tapoli speaks French whatever the desktop's language, down to Qt's own dialogs and buttons
    // (their translation follows the window's first paint).
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // Before the first widget: the menu bar asks the style for its arrow while it is built. The
    // desktop's style, or the one the user asked for with -style, stays underneath.
    if (QStyle *chosen = QStyleFactory::create(QApplication::style()->name()))
        QApplication::setStyle(new TapoliStyle(chosen));

    // Shown and painted at once, while the window is being built; gone with the window's first paint.
    SplashWindow splash;
    splash.show();

    DialogPrompter prompter;
    SystemLauncher launcher;
    MainWindow window(prompter, launcher, QApplication::arguments().mid(1));
    prompter.setDialogParent(&window);
    QObject::connect(&window, &MainWindow::painted, &splash, &QWidget::hide);
    QuitOnSignal quitOnSignal;
    QObject::connect(&quitOnSignal, &QuitOnSignal::received, &window, &MainWindow::endWithoutQuestions);

    window.show();
    return QApplication::exec();
}
