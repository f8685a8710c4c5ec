#include "donation/systemlauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {
constexpr int Success = 33;
constexpr int FileNotFound = 2;
} // namespace

int SystemLauncher::LaunchProgram(const QString &file, const QString &parameters, const QString &directory, int)
{
    if (parameters.isEmpty()) {
        const QUrl url = QUrl::fromUserInput(file, directory);
        return url.isValid() && QDesktopServices::openUrl(url) ? Success : FileNotFound;
    }
    // The address is one argument, whatever it holds: nothing here is parsed by a shell.
    return QProcess::startDetached(file, {parameters}, directory) ? Success : FileNotFound;
}
