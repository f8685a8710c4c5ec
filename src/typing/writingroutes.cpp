#include "typing/writingroutes.h"

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

// Under a native Wayland session whose compositor offers wlroots' virtual keyboard and toplevel list.
bool waylandKeysOffered()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && waylandKeysModule().offered
        && waylandKeysModule().offered();
}

} // namespace

Route forThisSession()
{
    if (waylandKeysOffered())
        return {Kind::WaylandKeys,
                QStringLiteral("Les touches de Tapoli écrivent dans la fenêtre qui avait le clavier avant le clic, "
                               "comme si on les tapait.")};
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
    case Kind::WaylandKeys:
        return waylandKeysModule().make ? waylandKeysModule().make(parent) : nullptr;
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
