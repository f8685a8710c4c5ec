#include "donation/systemlauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool SystemLauncher::LaunchProgram(const QString &file, const QString &parameters, const QString &directory, int)
{
    if (parameters.isEmpty()) {
        const QUrl url = QUrl::fromUserInput(file, directory);
        return url.isValid() && QDesktopServices::openUrl(url);
    }
    // The address is one argument, whatever it holds: nothing here is parsed by a shell.
    return QProcess::startDetached(file, {parameters}, directory);
}
