#include "typing/writingroutes.h"

#include "typing/accessibletextwriter.h"
#include "typing/activewindowwriter.h"

#include <QGuiApplication>

namespace WritingRoutes {

Route forThisSession()
{
    // Natively on Wayland, no program may type for another: text goes in through the accessibility bus.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (AccessibleTextWriter::sessionOffersBus())
            return {Kind::AccessibleText, AccessibleTextWriter::availableNote()};
        return {Kind::None, QStringLiteral("Sur ce bureau Wayland, ni clavier virtuel ni bus d'accessibilité : "
                                           "Tapoli ne peut pas écrire dans les autres fenêtres. Démarré avec "
                                           "QT_QPA_PLATFORM=xcb, il écrit dans les applications X11.")};
    }
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
    case Kind::AccessibleText:
        return new AccessibleTextWriter(parent);
    case Kind::None:
        break;
    }
    return nullptr;
}

void giveBackAbandoned()
{
    ActiveWindowWriter::giveBackAbandonedSpares();
    AccessibleTextWriter::giveBackAbandonedStatus();
}

} // namespace WritingRoutes
