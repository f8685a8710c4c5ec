#pragma once

#include "text/writingelsewhere.h"

#include <QObject>

// One way of typing into the other programs of a session (X11's XTEST, a Wayland compositor's virtual
// keyboard, the accessibility bus), switched on and off with "Écrire dans la fenêtre active".
class ElsewhereWriter : public QObject, public WritingElsewhere
{
public:
    using QObject::QObject;

    // False when the session refuses (its display, bus or compositor cannot be reached): nothing is
    // changed then. Off gives back whatever on changed in the session.
    virtual bool setOn(bool on) = 0;
};
