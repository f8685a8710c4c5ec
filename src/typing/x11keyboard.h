#pragma once

#include <QByteArray>

#include <memory>
#include <vector>

struct _XDisplay;

// The keyboard of one X display, as Tapoli types on it through the XTEST extension: the key code that
// types a keysym in the layout, and for a keysym the layout lacks, a spare key code (one no key of the
// layout uses) lent to it. A spare stays lent and is reused for as long as the keyboard is open: every
// change of the mapping makes each program, the window manager first, read it again, and a window
// manager busy doing so holds the pointer back, so that a click made meanwhile can come out elsewhere.
// What is lent is recorded on the display's root window, so that a Tapoli that could not give it back
// (killed) is put right by the next one; closing gives every spare back.
class X11Keyboard
{
public:
    // While it lives, errors from requests on windows that may be gone are counted instead of ending
    // the program (Xlib's own handler exits).
    class ErrorTrap
    {
    public:
        explicit ErrorTrap(_XDisplay *display);
        ~ErrorTrap();
        ErrorTrap(const ErrorTrap &) = delete;
        ErrorTrap &operator=(const ErrorTrap &) = delete;
        // True when no request since the trap was set failed; the trap is lifted.
        bool release();

    private:
        _XDisplay *m_display;
        void *m_previous = nullptr;   // Xlib's handler before the trap
    };

    // Whether libXtst could be loaded, and whether a display's server offers XTEST.
    static bool libraryLoaded();
    static bool serverOffersXTest(_XDisplay *display);
    // Null when the display cannot be reached or offers no XTEST.
    static std::unique_ptr<X11Keyboard> open(const QByteArray &displayName);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard &) = delete;
    X11Keyboard &operator=(const X11Keyboard &) = delete;

    // Gives back the spares of every Tapoli on this display that ended without giving them back.
    static void giveBackAbandonedSpares(_XDisplay *display);

    _XDisplay *display() const { return m_display; }
    // Types `keysym` as the first layout group shows it, whatever group, lock and latched modifiers the
    // user has on (they are put back afterwards); false when no key could be found or lent for it.
    bool type(unsigned long keysym);
    // A key every layout has (Return, Delete, BackSpace, Left), typed the same way.
    void pressKeysym(unsigned long keysym);
    void giveSparesBack();

private:
    struct Spare
    {
        int keycode;
        unsigned long keysym;   // NoSymbol while it is not lent
        quint64 lastUse;
    };

    explicit X11Keyboard(_XDisplay *display);
    void readMapping();
    bool holds(int keycode, unsigned long keysym) const;
    int keycodeOf(unsigned long keysym, bool *shift) const;
    // The spare to lend next: a free one, else the one used longest ago; null when the layout has none.
    Spare *spareFor();
    void lend(Spare &spare, unsigned long keysym);
    void press(int keycode, bool shift);
    void record();

    _XDisplay *m_display;
    unsigned long m_owner = 0;   // a window that lives exactly as long as this connection
    unsigned long m_recordAtom = 0;
    int m_firstKeycode = 0;
    int m_perKeycode = 0;
    std::vector<unsigned long> m_mapping;   // as the server has it, read again before each key
    std::vector<Spare> m_spares;
    quint64 m_uses = 0;
};
