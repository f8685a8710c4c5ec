#pragma once

#include <QString>

#include <functional>

class ElsewhereWriter;
class QObject;
class QWidget;

// Which way this session lets Tapoli type into other programs, asked only when the user looks at the
// menu or has the mode on: nothing of it is loaded before.
namespace WritingRoutes {

enum class Kind { None, X11Keys, WaylandKeys, AccessibleText };

struct Route
{
    Kind kind = Kind::None;
    // What the menu entry's tooltip says: what the user gets, or why the entry is greyed.
    QString note;
};

// What a session offers, each question asked only once the choice comes to it: a Wayland question
// loads what X11 never needs.
struct Session
{
    QString platform;
    // As $XDG_CURRENT_DESKTOP names it.
    QString desktop;
    // A Wayland session, whatever Qt runs on (under XWayland only X11 programs hear X11 keys).
    bool waylandDesktop = false;
    // Why X11 keys cannot be typed on Qt's display, or nothing.
    std::function<QString()> x11Refusal;
    std::function<bool()> offersWaylandKeys;
    std::function<bool()> offersAccessibilityBus;
};

Route choose(const Session &session);
Route forThisSession();
// A writer of the route's kind, off; none for Kind::None.
ElsewhereWriter *make(Kind kind, QWidget *mainWindow, QObject *parent);
// Once, after the window is shown: what a killed Tapoli left changed in the session is put back.
void giveBackAbandoned();

} // namespace WritingRoutes
