// A module of its own, loaded the first time Tapoli asks about wlroots' protocols, so that an X11 session
// never loads libwayland-client and no session's start-up waits for any of it.
#include "typing/waylandkeysmodule.h"

#include "typing/waylandkeyswriter.h"

bool tapoliWaylandKeysOffered()
{
    return WaylandKeysWriter::offered();
}

ElsewhereWriter *tapoliMakeWaylandKeysWriter(QObject *parent)
{
    return new WaylandKeysWriter(parent);
}
