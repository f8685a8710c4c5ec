#pragma once

#include <QDialog>

#include <chrono>

class QPushButton;
class QTimer;
class QToolButton;
class ProgramLauncher;
class Prompter;
class ScrollingCredits;

// TDonation: the borderless window that asks for support, scrolls its credits and opens the
// donation page or the program's home page in a browser. Its close button shows only after a while.
class DonationWindow : public QDialog
{
    Q_OBJECT

public:
    // Built when first needed, the window keeps the beat of a close-button timer that started with the
    // program: `sinceStartUp` is how long the program has run when it is built.
    DonationWindow(Prompter &prompter, ProgramLauncher &launcher,
                   std::chrono::milliseconds sinceStartUp = std::chrono::milliseconds(0), QWidget *parent = nullptr);

    ScrollingCredits *credits() const { return m_credits; }
    QPushButton *closeButton() const { return m_close; }
    QTimer *revealTimer() const { return m_timer; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // Until the close button shows, neither Escape nor the window system's close request closes the
    // window: the wait is the window's point. The program's end still takes it away.
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void followLink(const QString &question, const QString &address);

    Prompter &m_prompter;
    ProgramLauncher &m_launcher;
    ScrollingCredits *m_credits;
    QToolButton *m_btNet;
    QToolButton *m_ouaibe;
    QPushButton *m_close;
    QTimer *m_timer;
};
