#pragma once

#include "text/writingelsewhere.h"

#include <QObject>
#include <QTimer>

#include <memory>

// "Écrire dans la fenêtre active" on X11: each character goes to the window that has the keyboard focus
// as if typed on the keyboard, through the XTEST extension, whatever layout is active. A character the
// layout lacks is put on a spare key code for its press; the spare keeps it a moment (so that the
// receiving program, which reads the new mapping only when it gets to the press, still finds it), then
// is given back, and every spare is given back when the mode ends or Tapoli closes. Nothing is ever sent
// to Tapoli's own windows, nor when no window has the focus.
class ActiveWindowWriter : public QObject, public WritingElsewhere
{
    Q_OBJECT

public:
    // Why the mode cannot work in this session, in French, or nothing when it can.
    static QString unavailableReason();
    // What the menu entry's tooltip says where it works (under XWayland: which programs receive).
    static QString availableNote();

    explicit ActiveWindowWriter(QObject *parent = nullptr);
    ~ActiveWindowWriter() override;

    // False when the display or XTEST cannot be reached.
    bool setOn(bool on);
    bool isOn() const override;
    void typeCharacter(const QString &character, bool stepBack) override;
    void pressReturn() override;
    void pressDelete() override;
    void takeBack() override;

private:
    struct Keyboard;
    bool focusIsElsewhere() const;
    // A key every layout has (Return, Delete, BackSpace), which types no character "Annuler" could take back.
    void pressKey(unsigned long keysym);
    void restoreMapping();

    std::unique_ptr<Keyboard> m_keyboard;
    QTimer m_restore;
    // What "Annuler" takes back: the last character typed, if nothing was sent after it.
    enum class LastSent { Nothing, Character, CharacterBehindCaret } m_lastSent = LastSent::Nothing;
};
