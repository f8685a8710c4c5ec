#pragma once

#include <QtGlobal>

class ElsewhereWriter;
class QObject;

// What the wlroots keystroke module exports; Tapoli finds them by name with QLibrary::resolve.
extern "C" {
// Whether the compositor offers a virtual keyboard and the list of toplevels, asked on a connection of its own.
Q_DECL_EXPORT bool tapoliWaylandKeysOffered();
// A writer that types through them, off.
Q_DECL_EXPORT ElsewhereWriter *tapoliMakeWaylandKeysWriter(QObject *parent);
}
