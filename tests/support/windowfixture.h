#pragma once

#include "app/mainwindow.h"
#include "namedchild.h"
#include "notebookpages.h"
#include "recordinglauncher.h"
#include "scriptedprompter.h"

#include <QTest>

#include <memory>

// The program's main window as the tests drive it: a scripted prompter, a launcher that starts nothing,
// and, after startWindow, the window shown and exposed with every page built. A test class takes it as
// a second base, after QObject.
class WindowFixture
{
protected:
    // False, with the test's failure already reported, when the window did not show.
    bool startWindow(const QStringList &arguments = {}, bool everyPage = true)
    {
        m_window.reset();
        m_prompter = ScriptedPrompter();
        m_window = std::make_unique<MainWindow>(m_prompter, m_launcher, arguments);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get())) {
            QTest::qFail("the main window was not exposed", __FILE__, __LINE__);
            return false;
        }
        if (everyPage)
            openEveryPage(m_window.get());
        return true;
    }

    template<typename T> T *child(const QString &name) const { return namedChild<T>(m_window.get(), name); }

    ScriptedPrompter m_prompter;
    RecordingLauncher m_launcher;
    std::unique_ptr<MainWindow> m_window;
};
