#pragma once

#include <QString>

class ElsewhereWriter;
class QObject;
class QWidget;

// Which way this session lets Tapoli type into other programs, asked only when the user looks at the
// menu or has the mode on: nothing of it is loaded before.
namespace WritingRoutes {

enum class Kind { None, X11Keys, WaylandKeys };

struct Route
{
    Kind kind = Kind::None;
    // What the menu entry's tooltip says: what the user gets, or why the entry is greyed.
    QString note;
};

Route forThisSession();
// A writer of the route's kind, off; none for Kind::None.
ElsewhereWriter *make(Kind kind, QWidget *mainWindow, QObject *parent);
// Once, after the window is shown: what a killed Tapoli left changed in the session is put back.
void giveBackAbandoned();

} // namespace WritingRoutes
