#pragma once

#include <QTabWidget>
#include <QWidget>

// The character pages are built the first time they are shown: opening each in turn, as a user
// would, builds them all. The page open before is open again afterwards.
inline void openEveryPage(const QWidget *window)
{
    auto *notebook = window->findChild<QTabWidget *>(QStringLiteral("tables"));
    const int open = notebook->currentIndex();
    for (int page = 0; page < notebook->count(); ++page)
        notebook->setCurrentIndex(page);
    notebook->setCurrentIndex(open);
}
