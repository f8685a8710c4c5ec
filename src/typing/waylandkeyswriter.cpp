#include "typing/waylandkeyswriter.h"

#include "text/textrules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QStringList>

#include <virtual-keyboard-unstable-v1-client-protocol.h>
#include <wayland-client.h>
#include <wlr-foreign-toplevel-management-unstable-v1-client-protocol.h>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

namespace {

// A compositor that does not answer within this leaves the key unsent rather than Tapoli frozen.
constexpr int answerMilliseconds = 200;
// How long the other programs are given to take the keyboard a seat gets with the virtual one.
constexpr int keyboardSettleMilliseconds = 100;
// How long an X program under XWayland is given to receive the focus it was activated with.
constexpr int focusSettleMilliseconds = 5;
constexpr uint32_t keyPressed = 1;
constexpr uint32_t keyReleased = 0;
constexpr uint32_t keymapFormatXkbV1 = 1;

// The app_id Qt's Wayland platform gives Tapoli's windows.
QString ownAppId()
{
    QString name = QGuiApplication::desktopFileName();
    if (name.endsWith(QLatin1String(".desktop")))
        name.chop(8);
    if (!name.isEmpty())
        return name;
    const QString base = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
    QStringList domain = QCoreApplication::organizationDomain().split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (domain.isEmpty())
        return base;
    std::reverse(domain.begin(), domain.end());
    return domain.join(QLatin1Char('.')) + QLatin1Char('.') + base;
}

// Sends what is queued, then dispatches what is queued or arrives within `milliseconds`. Events read
// elsewhere on the connection leave the socket empty, so it is polled rather than read blindly.
bool pumpDisplay(wl_display *display, int milliseconds)
{
    int dispatched = 0;
    while (wl_display_prepare_read(display) != 0) {
        const int count = wl_display_dispatch_pending(display);
        if (count < 0)
            return false;
        dispatched += count;
    }
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        return false;
    }
    if (dispatched > 0) {
        wl_display_cancel_read(display);
        return true;
    }
    pollfd socket{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&socket, 1, milliseconds) > 0) {
        if (wl_display_read_events(display) < 0)
            return false;
    } else {
        wl_display_cancel_read(display);
    }
    return wl_display_dispatch_pending(display) >= 0;
}

// Events dispatched as they come for `milliseconds`, none or less.
bool pumpFor(wl_display *display, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = milliseconds; left > 0; left = milliseconds - clock.elapsed()) {
        if (!pumpDisplay(display, int(left)))
            return false;
    }
    return true;
}

bool dispatchUntil(wl_display *display, const std::function<bool()> &condition, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        const int left = milliseconds - int(clock.elapsed());
        if (left <= 0 || !pumpDisplay(display, left))
            return false;
    }
    return true;
}

// The compositor's answer to a wl_display.sync.
const wl_callback_listener syncListener = {
    [](void *data, wl_callback *callback, uint32_t) {
        *static_cast<bool *>(data) = true;
        wl_callback_destroy(callback);
    },
};

bool syncDisplay(wl_display *display)
{
    // Heap-held: a callback the compositor answers after the wait gave up still has somewhere to write.
    auto *done = new bool(false);
    wl_callback_add_listener(wl_display_sync(display), &syncListener, done);
    const bool answered = dispatchUntil(display, [done] { return *done; }, answerMilliseconds);
    if (answered)
        delete done;
    return answered;
}

struct OfferedGlobals
{
    bool virtualKeyboard = false;
    bool foreignToplevel = false;
    bool seat = false;
};

const wl_registry_listener offeredListener = {
    [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
        auto *offered = static_cast<OfferedGlobals *>(data);
        offered->virtualKeyboard |= std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0;
        offered->foreignToplevel |= std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0;
        offered->seat |= std::strcmp(interface, wl_seat_interface.name) == 0;
    },
    [](void *, wl_registry *, uint32_t) {},
};

} // namespace

// C callbacks of the protocols, given the writer or one of its toplevels as their data.
struct WaylandListeners
{
    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
    {
        auto *writer = static_cast<WaylandKeysWriter *>(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && !writer->m_seat) {
            writer->m_seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
            wl_seat_add_listener(writer->m_seat, &seatListener, writer);
        } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
            writer->m_keyboardManager = static_cast<zwp_virtual_keyboard_manager_v1 *>(
                wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
        } else if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
            writer->m_toplevelManager = static_cast<zwlr_foreign_toplevel_manager_v1 *>(
                wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, 3u)));
            zwlr_foreign_toplevel_manager_v1_add_listener(writer->m_toplevelManager, &managerListener, writer);
        }
    }
    static void globalRemove(void *, wl_registry *, uint32_t) { }

    static void capabilities(void *data, wl_seat *, uint32_t capabilities)
    {
        auto *writer = static_cast<WaylandKeysWriter *>(data);
        if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !writer->m_keyboardSince.isValid())
            writer->m_keyboardSince.start();
    }
    static void seatName(void *, wl_seat *, const char *) { }

    static void toplevel(void *data, zwlr_foreign_toplevel_manager_v1 *, zwlr_foreign_toplevel_handle_v1 *handle)
    {
        static_cast<WaylandKeysWriter *>(data)->addToplevel(handle);
    }
    static void finished(void *data, zwlr_foreign_toplevel_manager_v1 *manager)
    {
        auto *writer = static_cast<WaylandKeysWriter *>(data);
        zwlr_foreign_toplevel_manager_v1_destroy(manager);
        if (writer->m_toplevelManager == manager)
            writer->m_toplevelManager = nullptr;
    }

    static WaylandKeysWriter::Toplevel *of(void *data) { return static_cast<WaylandKeysWriter::Toplevel *>(data); }
    static void title(void *, zwlr_foreign_toplevel_handle_v1 *, const char *) { }
    static void appId(void *data, zwlr_foreign_toplevel_handle_v1 *, const char *appId)
    {
        of(data)->appId = QString::fromUtf8(appId);
    }
    static void output(void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) { }
    static void state(void *data, zwlr_foreign_toplevel_handle_v1 *, wl_array *states)
    {
        const auto *begin = static_cast<const uint32_t *>(states->data);
        const auto *end = begin + states->size / sizeof(uint32_t);
        of(data)->announcedActivated =
            std::find(begin, end, uint32_t(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED)) != end;
    }
    static void done(void *data, zwlr_foreign_toplevel_handle_v1 *)
    {
        of(data)->writer->toplevelDone(of(data));
    }
    static void closed(void *data, zwlr_foreign_toplevel_handle_v1 *)
    {
        of(data)->writer->removeToplevel(of(data));
    }
    static void parent(void *, zwlr_foreign_toplevel_handle_v1 *, zwlr_foreign_toplevel_handle_v1 *) { }

    static const wl_registry_listener registryListener;
    static const wl_seat_listener seatListener;
    static const zwlr_foreign_toplevel_manager_v1_listener managerListener;
    static const zwlr_foreign_toplevel_handle_v1_listener toplevelListener;
};

const wl_registry_listener WaylandListeners::registryListener = {global, globalRemove};
const wl_seat_listener WaylandListeners::seatListener = {capabilities, seatName};
const zwlr_foreign_toplevel_manager_v1_listener WaylandListeners::managerListener = {toplevel, finished};
const zwlr_foreign_toplevel_handle_v1_listener WaylandListeners::toplevelListener = {
    title, appId, output, output, state, done, closed, parent,
};

bool WaylandKeysWriter::offered()
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    OfferedGlobals offered;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &offeredListener, &offered);
    const bool answered = syncDisplay(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered && offered.virtualKeyboard && offered.foreignToplevel && offered.seat;
}

WaylandKeysWriter::WaylandKeysWriter(QObject *parent)
    : ElsewhereWriter(parent)
    , m_ownAppId(ownAppId())
{
    m_clock.start();
    // Whatever ends the program, the compositor is left with the keyboards it had.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { setOn(false); });
}

WaylandKeysWriter::~WaylandKeysWriter()
{
    setOn(false);
}

bool WaylandKeysWriter::setOn(bool on)
{
    if (!on) {
        shutDown();
        return true;
    }
    if (m_display)
        return true;
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return false;
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &WaylandListeners::registryListener, this);
    // The globals, then what binding them brought: the seat's keyboard, the toplevels and their states.
    if (!syncDisplay(m_display) || !m_seat || !m_keyboardManager || !m_toplevelManager) {
        shutDown();
        return false;
    }
    m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(m_keyboardManager, m_seat);
    if (!sendKeymap() || !syncDisplay(m_display)) {
        shutDown();
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(wl_display_get_fd(m_display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WaylandKeysWriter::readEvents);
    return true;
}

void WaylandKeysWriter::shutDown()
{
    m_notifier.reset();
    if (!m_display)
        return;
    for (const std::unique_ptr<Toplevel> &toplevel : m_toplevels)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    m_toplevels.clear();
    m_target = nullptr;
    if (m_toplevelManager) {
        zwlr_foreign_toplevel_manager_v1_stop(m_toplevelManager);
        zwlr_foreign_toplevel_manager_v1_destroy(m_toplevelManager);
    }
    if (m_keyboard)
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
    if (m_keyboardManager)
        zwp_virtual_keyboard_manager_v1_destroy(m_keyboardManager);
    if (m_seat)
        wl_seat_destroy(m_seat);
    wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
    m_display = nullptr;
    m_registry = nullptr;
    m_seat = nullptr;
    m_keyboardManager = nullptr;
    m_toplevelManager = nullptr;
    m_keyboard = nullptr;
    m_keymap = WaylandKeymap();
    m_keyboardSince.invalidate();
    m_keyboardSettled = false;
    m_lastSent = LastSent::Nothing;
}

bool WaylandKeysWriter::isOn() const
{
    return m_display != nullptr;
}

void WaylandKeysWriter::addToplevel(zwlr_foreign_toplevel_handle_v1 *handle)
{
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->writer = this;
    toplevel->handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &WaylandListeners::toplevelListener, toplevel.get());
    m_toplevels.push_back(std::move(toplevel));
}

void WaylandKeysWriter::toplevelDone(Toplevel *toplevel)
{
    toplevel->activated = toplevel->announcedActivated;
    if (toplevel->activated && toplevel->appId != m_ownAppId)
        m_target = toplevel;
}

void WaylandKeysWriter::removeToplevel(Toplevel *toplevel)
{
    if (m_target == toplevel)
        m_target = nullptr;
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    m_toplevels.erase(std::find_if(m_toplevels.begin(), m_toplevels.end(),
                                   [toplevel](const std::unique_ptr<Toplevel> &held) { return held.get() == toplevel; }));
}

void WaylandKeysWriter::readEvents()
{
    if (m_display && !pumpDisplay(m_display, 0))
        shutDown();
}

bool WaylandKeysWriter::sync()
{
    return m_display && syncDisplay(m_display);
}

bool WaylandKeysWriter::ownWindowHasKeyboard() const
{
    return std::any_of(m_toplevels.begin(), m_toplevels.end(), [this](const std::unique_ptr<Toplevel> &toplevel) {
        return toplevel->activated && toplevel->appId == m_ownAppId;
    });
}

bool WaylandKeysWriter::focusTarget()
{
    // The click that brought this gave Tapoli the keyboard: its news are in once the compositor answers.
    if (!sync() || !m_target)
        return false;
    if (!m_target->activated) {
        zwlr_foreign_toplevel_handle_v1_activate(m_target->handle, m_seat);
        if (!dispatchUntil(m_display, [this] { return m_target && m_target->activated; }, answerMilliseconds))
            return false;
        // XWayland's programs get the focus from the compositor's X connection, apart from the keys: keys
        // that come with the change of focus may be dealt out before it, to no window.
        if (!pumpFor(m_display, focusSettleMilliseconds))
            return false;
    }
    if (ownWindowHasKeyboard())
        return false;
    if (!m_keyboardSettled) {
        // The seat's keyboard comes with the compositor's answer to the virtual one, then settles.
        if (!dispatchUntil(m_display, [this] { return m_keyboardSince.isValid(); }, answerMilliseconds))
            return false;
        if (!pumpFor(m_display, int(keyboardSettleMilliseconds - m_keyboardSince.elapsed())))
            return false;
        m_keyboardSettled = true;
    }
    return m_target && m_target->activated;
}

bool WaylandKeysWriter::sendKeymap()
{
    const QByteArray text = m_keymap.text();
    const int file = memfd_create("tapoli-keymap", MFD_CLOEXEC);
    if (file < 0)
        return false;
    const bool written = write(file, text.constData(), size_t(text.size())) == text.size();
    // The compositor maps what the request carries: a copy of the descriptor, which libwayland makes.
    if (written)
        zwp_virtual_keyboard_v1_keymap(m_keyboard, keymapFormatXkbV1, file, uint32_t(text.size()));
    close(file);
    // Modifiers that another keymap left down or locked would change what the keys type.
    if (written)
        zwp_virtual_keyboard_v1_modifiers(m_keyboard, 0, 0, 0, 0);
    return written;
}

void WaylandKeysWriter::sendKey(unsigned key)
{
    zwp_virtual_keyboard_v1_key(m_keyboard, uint32_t(m_clock.elapsed()), key, keyPressed);
    zwp_virtual_keyboard_v1_key(m_keyboard, uint32_t(m_clock.elapsed()), key, keyReleased);
}

void WaylandKeysWriter::typeCharacter(const QString &character, bool stepBack)
{
    if (!isOn() || character.isEmpty())
        return;
    const char32_t code = character.toUcs4().value(0);
    // A control character from a layout file would command the program it reaches (ESC, Ctrl+C).
    if (TextRules::isControl(code) || !focusTarget())
        return;
    bool remapped = false;
    const unsigned key = m_keymap.keyFor(code, remapped);
    if (remapped && !sendKeymap())
        return;
    sendKey(key);
    if (stepBack)
        sendKey(WaylandKeymap::Left);
    wl_display_flush(m_display);
    m_lastSent = stepBack ? LastSent::CharacterBehindCaret : LastSent::Character;
}

void WaylandKeysWriter::pressReturn()
{
    pressKey(WaylandKeymap::Return);
}

void WaylandKeysWriter::pressDelete()
{
    pressKey(WaylandKeymap::Delete);
}

void WaylandKeysWriter::takeBack()
{
    // Right to left, the caret stands in front of the character it typed.
    if (m_lastSent != LastSent::Nothing)
        pressKey(m_lastSent == LastSent::CharacterBehindCaret ? WaylandKeymap::Delete : WaylandKeymap::BackSpace);
}

void WaylandKeysWriter::pressKey(unsigned key)
{
    if (!isOn() || !focusTarget())
        return;
    sendKey(key);
    wl_display_flush(m_display);
    m_lastSent = LastSent::Nothing;
}
