#pragma once

#include <QWidget>

class QTextBrowser;

// The program's own French help, shipped as resources and opened at a numbered context.
class HelpWindow : public QWidget
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
