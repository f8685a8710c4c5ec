#pragma once

#include "typing/elsewherewriter.h"
#include "typing/waylandkeymap.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

// "Écrire dans la fenêtre active" under compositors that offer wlroots' protocols: a virtual keyboard
// types each character, and since a click on Tapoli gives it the keyboard whatever its windows ask, the
// window the user was typing into is activated again first (the foreign toplevel protocol). Nothing is
// sent when that window is not known, or does not come back, so a key never reaches Tapoli itself. The
// connection is Tapoli's own, beside Qt's, and lives only while the mode is on.
class WaylandKeysWriter : public ElsewhereWriter
{
    Q_OBJECT

public:
    // Whether the compositor offers both protocols; asked on a connection of its own, closed at once.
    static bool offered();

    explicit WaylandKeysWriter(QObject *parent = nullptr);
    ~WaylandKeysWriter() override;

    // False when the compositor cannot be reached or lacks a protocol.
    bool setOn(bool on) override;
    bool isOn() const override;
    void typeCharacter(const QString &character, bool stepBack) override;
    void pressReturn() override;
    void pressDelete() override;
    void takeBack() override;

private:
    // The protocols' listeners, which call back into the writer.
    friend struct WaylandListeners;
    struct Toplevel
    {
        WaylandKeysWriter *writer = nullptr;
        zwlr_foreign_toplevel_handle_v1 *handle = nullptr;
        QString appId;
        // As of the last "done": a state event only announces what "done" makes true.
        bool activated = false;
        bool announcedActivated = false;
    };

    void addToplevel(zwlr_foreign_toplevel_handle_v1 *handle);
    void toplevelDone(Toplevel *toplevel);
    void removeToplevel(Toplevel *toplevel);
    // Everything made by setOn(true) destroyed, and the connection closed.
    void shutDown();
    // What the compositor sent while Qt's event loop ran; a broken connection turns the mode off.
    void readEvents();
    // Every event the compositor sent before this, dispatched.
    bool sync();
    // The window the user typed into last has the keyboard again, and the keyboard is ready.
    bool focusTarget();
    bool sendKeymap();
    // A key every keymap has (Return, Delete, BackSpace), which types no character "Annuler" could take back.
    void pressKey(unsigned key);
    void sendKey(unsigned key);
    bool ownWindowHasKeyboard() const;

    QString m_ownAppId;
    wl_display *m_display = nullptr;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    zwp_virtual_keyboard_manager_v1 *m_keyboardManager = nullptr;
    zwlr_foreign_toplevel_manager_v1 *m_toplevelManager = nullptr;
    zwp_virtual_keyboard_v1 *m_keyboard = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::vector<std::unique_ptr<Toplevel>> m_toplevels;
    // The last of another program's windows to have had the keyboard.
    Toplevel *m_target = nullptr;
    WaylandKeymap m_keymap;
    QElapsedTimer m_clock;
    // Since when the seat has a keyboard: a seat with none gets one only with the virtual keyboard, and
    // its programs ask for theirs only then.
    QElapsedTimer m_keyboardSince;
    bool m_keyboardSettled = false;
    enum class LastSent { Nothing, Character, CharacterBehindCaret } m_lastSent = LastSent::Nothing;
};
