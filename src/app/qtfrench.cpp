#include "app/qtfrench.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtFrench {

void install()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    auto *translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace QtFrench
