#include "app/helpwindow.h"

#include <QTextBrowser>
#include <QUrl>

HelpWindow::HelpWindow(QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide de Tapoli"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Aide"));
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);
    resize(620, 520);
}

void HelpWindow::showContext(int context)
{
    const QString page = context == MainWindowPage ? QStringLiteral("qrc:/help/fenetre.html")
                                                   : QStringLiteral("qrc:/help/index.html");
    m_browser->setSource(QUrl(page));
    show();
    raise();
    activateWindow();
}

QString HelpWindow::currentPage() const
{
    return m_browser->source().toString();
}
