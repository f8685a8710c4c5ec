#include "typing/writingroutes.h"

#include "typing/activewindowwriter.h"

namespace WritingRoutes {

Route forThisSession()
{
    const QString reason = ActiveWindowWriter::unavailableReason();
    if (!reason.isEmpty())
        return {Kind::None, reason};
    return {Kind::X11Keys, ActiveWindowWriter::availableNote()};
}

ElsewhereWriter *make(Kind kind, QWidget *mainWindow, QObject *parent)
{
    switch (kind) {
    case Kind::X11Keys:
        return new ActiveWindowWriter(mainWindow, parent);
    case Kind::None:
        break;
    }
    return nullptr;
}

void giveBackAbandoned()
{
    ActiveWindowWriter::giveBackAbandonedSpares();
}

} // namespace WritingRoutes
