#pragma once

#include "typing/elsewherewriter.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;
class X11Keyboard;

// "Écrire dans la fenêtre active" on X11: each character goes to the window that has the keyboard focus
// as if typed on the keyboard, through the XTEST extension of the display Tapoli's windows are on,
// whatever layout, group or lock is active (X11Keyboard). Nothing is ever sent to Tapoli's own windows,
// nor when no window has the focus (a key sent to the root goes to whatever is under the pointer: Tapoli),
// nor while another program holds the keyboard. When one of Tapoli's dialogs closes, the window the
// user was writing into gets the focus back; it gets it back too when a key is clicked while a tool
// window of Tapoli's that stays open (the character search) has it.
class ActiveWindowWriter : public ElsewhereWriter
{
    Q_OBJECT

public:
    // Why the mode cannot work in this session, in French, or nothing when it can.
    static QString unavailableReason();
    // Spares an earlier Tapoli on this display could not give back (it was killed) are given back.
    static void giveBackAbandonedSpares();

    explicit ActiveWindowWriter(QWidget *mainWindow, QObject *parent = nullptr);
    ~ActiveWindowWriter() override;

    // False when the display or XTEST cannot be reached.
    bool setOn(bool on) override;
    bool isOn() const override;
    void typeCharacter(const QString &character, bool stepBack) override;
    void pressReturn() override;
    void pressDelete() override;
    void takeBack() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window with the focus, when it is another program's and nobody holds the keyboard.
    unsigned long target() const;
    // The window with the focus, when it is another program's.
    unsigned long focusedOtherWindow() const;
    // The target; or, while a tool window of Tapoli's holds the focus, the window that had it before,
    // given the focus back.
    unsigned long targetTakingFocusBack();
    bool isOwnWindow(unsigned long window) const;
    // A key every layout has (Return, Delete, BackSpace), which types no character "Annuler" could take back.
    void pressKey(unsigned long keysym);
    void giveFocusBack();

    QWidget *m_mainWindow;
    std::unique_ptr<X11Keyboard> m_keyboard;
    // What "Annuler" takes back: the last character typed, if nothing was sent after it.
    enum class LastSent { Nothing, Character, CharacterBehindCaret } m_lastSent = LastSent::Nothing;
    // Tapoli's dialogs open now, and the window that had the focus before the first of them.
    QList<QPointer<QWidget>> m_dialogs;
    unsigned long m_focusBeforeDialogs = 0;
};
