#include "typing/writingroutes.h"

#include "typing/accessibletextwriter.h"
#include "typing/activewindowwriter.h"
#include "typing/waylandkeysmodule.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibrary>

namespace WritingRoutes {

namespace {

// The wlroots keystroke module, loaded the first time it is asked for: beside the program in a build
// tree, in its installed folder otherwise (found from the program's place, then as configured). Never
// unloaded: its writers live on.
struct WaylandKeysModule
{
    decltype(&tapoliWaylandKeysOffered) offered = nullptr;
    decltype(&tapoliMakeWaylandKeysWriter) make = nullptr;
};

const WaylandKeysModule &waylandKeysModule()
{
    static const WaylandKeysModule module = [] {
        WaylandKeysModule found;
        const QString name = QStringLiteral("/tapoli-wayland-keys.so");
        const QString beside = QCoreApplication::applicationDirPath();
        for (const QString &folder : {beside, beside + QStringLiteral("/" TAPOLI_MODULE_DIR_FROM_BINARY),
                                      QStringLiteral(TAPOLI_MODULE_DIR)}) {
            QLibrary library(folder + name);
            if (!library.load())
                continue;
            found.offered = reinterpret_cast<decltype(found.offered)>(library.resolve("tapoliWaylandKeysOffered"));
            found.make = reinterpret_cast<decltype(found.make)>(library.resolve("tapoliMakeWaylandKeysWriter"));
            if (found.offered && found.make)
                return found;
            found = {};
        }
        return found;
    }();
    return module;
}

} // namespace

Route choose(const Session &session)
{
    if (session.platform == QLatin1String("xcb")) {
        const QString refusal = session.x11Refusal();
        if (!refusal.isEmpty())
            return {Kind::None, refusal};
        return {Kind::X11Keys,
                session.waylandDesktop
                    ? QStringLiteral("Sous XWayland, seules les applications X11 reçoivent les caractères.")
                    : QStringLiteral("Les touches de Tapoli écrivent dans la fenêtre qui a le clavier, comme si on "
                                     "les tapait.")};
    }
    if (!session.platform.startsWith(QLatin1String("wayland")))
        return {Kind::None, QStringLiteral("Possible seulement sur un affichage X11 ou Wayland.")};
    if (session.offersWaylandKeys())
        return {Kind::WaylandKeys,
                QStringLiteral("Les touches de Tapoli écrivent dans la fenêtre qui avait le clavier avant le clic, "
                               "comme si on les tapait.")};
    // No program may type for another here: text goes in through the accessibility bus.
    if (session.offersAccessibilityBus()) {
        const QString where = session.desktop.contains(QLatin1String("GNOME"), Qt::CaseInsensitive)
            ? QStringLiteral("Sous GNOME")
            : session.desktop.contains(QLatin1String("KDE"), Qt::CaseInsensitive) ? QStringLiteral("Sous KDE Plasma")
                                                                                   : QStringLiteral("Sur ce bureau Wayland");
        return {Kind::AccessibleText,
                where + QStringLiteral(", les caractères vont dans le champ de texte actif, s'il est accessible "
                                       "(pas dans un terminal).")};
    }
    return {Kind::None, QStringLiteral("Sur ce bureau Wayland, ni clavier virtuel ni bus d'accessibilité : Tapoli ne "
                                       "peut pas écrire dans les autres fenêtres. Démarré avec QT_QPA_PLATFORM=xcb, "
                                       "il écrit dans les applications X11.")};
}

Route forThisSession()
{
    Session session;
    session.platform = QGuiApplication::platformName();
    session.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    session.waylandDesktop = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    session.x11Refusal = &ActiveWindowWriter::unavailableReason;
    session.offersWaylandKeys = [] { return waylandKeysModule().offered && waylandKeysModule().offered(); };
    session.offersAccessibilityBus = &AccessibleTextWriter::sessionOffersBus;
    return choose(session);
}

ElsewhereWriter *make(Kind kind, QWidget *mainWindow, QObject *parent)
{
    switch (kind) {
    case Kind::X11Keys:
        return new ActiveWindowWriter(mainWindow, parent);
    case Kind::WaylandKeys:
        return waylandKeysModule().make ? waylandKeysModule().make(parent) : nullptr;
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
