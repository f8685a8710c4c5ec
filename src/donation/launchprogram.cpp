#include "donation/launchprogram.h"

#include <QStringList>

bool openInBrowser(ProgramLauncher &launcher, const QString &address)
{
    for (const QString &browser : {QStringLiteral("opera"), QStringLiteral("netscape"), QStringLiteral("iexplore")}) {
        if (launcher.LaunchProgram(browser, address, QString(), 0))
            return true;
    }
    return launcher.LaunchProgram(address, QString(), QString(), 0);
}
