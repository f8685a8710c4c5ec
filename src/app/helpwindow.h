#pragma once

#include <QMainWindow>

class QTextBrowser;

// The program's own French help, shipped as resources and opened at a numbered context.
// A main window of its own, so that screen readers announce it as a window, not as a pane.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    enum Context { Contents = 1, MainWindowPage = 10 };

    explicit HelpWindow(QWidget *parent = nullptr);

    void showContext(int context);
    QString currentPage() const;

private:
    QTextBrowser *m_browser;
};
