#include "typing/activewindowwriter.h"

#include "text/textrules.h"
#include "typing/x11keyboard.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <vector>

namespace {

// The display Qt's windows are on, which `-display` may have chosen over $DISPLAY.
QByteArray qtDisplayName()
{
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (Display *display = x11->display())
            return QByteArray(XDisplayString(display));
    }
    return qgetenv("DISPLAY");
}

// The keysym that types a character: Latin-1 keysyms are their code points, the others Unicode keysyms.
KeySym keysymOf(char32_t character)
{
    if ((character >= 0x20 && character <= 0x7E) || (character >= 0xA0 && character <= 0xFF))
        return KeySym(character);
    return KeySym(0x01000000 | character);
}

bool isRoot(Display *display, Window window)
{
    for (int screen = 0; screen < ScreenCount(display); ++screen) {
        if (window == RootWindow(display, screen))
            return true;
    }
    return false;
}

Window parentOf(Display *display, Window window)
{
    Window root = None, parent = None, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return None;
    if (children)
        XFree(children);
    return parent == root ? None : parent;
}

// The top-level window of another program that holds `window`, as a window manager knows it (the
// one with WM_STATE); none without a window manager, or for the window manager's own windows.
Window clientWindowOf(Display *display, Window window)
{
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    for (; window != None; window = parentOf(display, window)) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, window, wmState, 0, 0, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success) {
            if (data)
                XFree(data);
            if (type != None)
                return window;
        }
    }
    return None;
}

} // namespace

QString ActiveWindowWriter::unavailableReason()
{
    static const QString reason = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("xcb"))
            return QStringLiteral("Possible seulement sur un affichage X11.");
        if (!X11Keyboard::libraryLoaded())
            return QStringLiteral("La bibliothèque libXtst manque : installez le paquet libxtst6.");
        Display *display = XOpenDisplay(qtDisplayName().constData());
        if (!display)
            return QStringLiteral("L'affichage X11 ne répond pas.");
        const bool available = X11Keyboard::serverOffersXTest(display);
        XCloseDisplay(display);
        return available ? QString()
                         : QStringLiteral("Le serveur X n'offre pas l'extension XTEST : Tapoli ne peut pas y "
                                          "taper à la place du clavier.");
    }();
    return reason;
}

void ActiveWindowWriter::giveBackAbandonedSpares()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // A connection of its own: Qt's is read by Qt, and errors on it would reach Qt's own handler.
    if (Display *display = XOpenDisplay(qtDisplayName().constData())) {
        X11Keyboard::giveBackAbandonedSpares(display);
        XCloseDisplay(display);
    }
}

ActiveWindowWriter::ActiveWindowWriter(QWidget *mainWindow, QObject *parent)
    : ElsewhereWriter(parent)
    , m_mainWindow(mainWindow)
{
    // Whatever ends the program, the keyboard mapping is left as it was found.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { setOn(false); });
}

ActiveWindowWriter::~ActiveWindowWriter()
{
    setOn(false);
}

bool ActiveWindowWriter::setOn(bool on)
{
    if (!on) {
        if (m_keyboard)
            qApp->removeEventFilter(this);
        m_keyboard.reset();
        m_lastSent = LastSent::Nothing;
        m_dialogs.clear();
        m_focusBeforeDialogs = 0;
        return true;
    }
    if (m_keyboard)
        return true;
    if (!unavailableReason().isEmpty())
        return false;
    m_keyboard = X11Keyboard::open(qtDisplayName());
    if (!m_keyboard)
        return false;
    qApp->installEventFilter(this);
    return true;
}

bool ActiveWindowWriter::isOn() const
{
    return m_keyboard != nullptr;
}

bool ActiveWindowWriter::isOwnWindow(unsigned long window) const
{
    std::vector<Window> own;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *widget : windows) {
        if (const WId id = widget->internalWinId())
            own.push_back(Window(id));
    }
    // The focus may be on a child of a window, and a window manager puts frames around them.
    for (Window at = window; at != None; at = parentOf(m_keyboard->display(), at)) {
        if (std::find(own.begin(), own.end(), at) != own.end())
            return true;
    }
    return false;
}

unsigned long ActiveWindowWriter::focusedOtherWindow() const
{
    Display *display = m_keyboard->display();
    const X11Keyboard::ErrorTrap trap(display);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // With the focus on the root (or following the pointer), a key goes to the window under the
    // pointer, which is Tapoli's own.
    if (focus == None || focus == PointerRoot || isRoot(display, focus) || isOwnWindow(focus))
        return 0;
    return focus;
}

unsigned long ActiveWindowWriter::target() const
{
    const Window focus = focusedOtherWindow();
    if (!focus)
        return 0;
    Display *display = m_keyboard->display();
    const X11Keyboard::ErrorTrap trap(display);
    // A program holding the keyboard (a menu, a grabbing dialog) would get the key whatever the focus.
    if (XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync, CurrentTime)
        != GrabSuccess)
        return 0;
    XUngrabKeyboard(display, CurrentTime);
    return focus;
}

unsigned long ActiveWindowWriter::targetTakingFocusBack()
{
    if (const unsigned long window = target())
        return window;
    // A tool window of Tapoli's, which stays open beside the keys and takes the keyboard (the character
    // search, where the user types what he looks for), holds the focus: the window the user was writing
    // into gets it back, and the character goes there. Not from a dialog or the help, which the user
    // reads or answers and closes: a key clicked then is no key for the other program.
    const QWidget *active = QApplication::activeWindow();
    if (!m_focusBeforeDialogs || !active || active->windowType() != Qt::Tool || QApplication::activeModalWidget())
        return 0;
    Display *display = m_keyboard->display();
    {
        const X11Keyboard::ErrorTrap trap(display);
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        if (focus == None || !isOwnWindow(focus))
            return 0;
        // Set here and not asked of the window manager: the keys that follow on this connection must
        // find the focus already moved.
        XSetInputFocus(display, m_focusBeforeDialogs, RevertToParent, CurrentTime);
        XSync(display, False);
    }
    return target();
}

void ActiveWindowWriter::typeCharacter(const QString &character, bool stepBack)
{
    if (!m_keyboard || character.isEmpty())
        return;
    const char32_t code = character.toUcs4().value(0);
    // A control character from a layout file would command the program it reaches (ESC, Ctrl+C).
    if (TextRules::isControl(code) || !targetTakingFocusBack() || !m_keyboard->type(keysymOf(code)))
        return;
    if (stepBack)
        m_keyboard->pressKeysym(XK_Left);
    m_lastSent = stepBack ? LastSent::CharacterBehindCaret : LastSent::Character;
}

void ActiveWindowWriter::pressReturn()
{
    pressKey(XK_Return);
}

void ActiveWindowWriter::pressDelete()
{
    pressKey(XK_Delete);
}

void ActiveWindowWriter::takeBack()
{
    // Right to left, the caret stands in front of the character it typed.
    if (m_lastSent != LastSent::Nothing)
        pressKey(m_lastSent == LastSent::CharacterBehindCaret ? XK_Delete : XK_BackSpace);
}

void ActiveWindowWriter::pressKey(unsigned long keysym)
{
    if (!m_keyboard || !targetTakingFocusBack())
        return;
    m_keyboard->pressKeysym(keysym);
    m_lastSent = LastSent::Nothing;
}

bool ActiveWindowWriter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window || !window->isWindow() || window == m_mainWindow)
        return false;
    // Menus and tooltips hold the keyboard for a moment without taking the focus.
    const Qt::WindowType type = window->windowType();
    if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen)
        return false;
    m_dialogs.removeAll(nullptr);
    if (event->type() == QEvent::Show) {
        if (m_dialogs.isEmpty())
            // Not asked whether the keyboard is free: the menu that opened the window may still hold it.
            m_focusBeforeDialogs = m_keyboard ? focusedOtherWindow() : 0;
        if (!m_dialogs.contains(window))
            m_dialogs.append(window);
    } else if (m_dialogs.removeAll(window) && m_dialogs.isEmpty() && m_focusBeforeDialogs) {
        // Once the dialog is gone from the screen, and the window manager has seen it go.
        QTimer::singleShot(0, this, &ActiveWindowWriter::giveFocusBack);
    }
    return false;
}

void ActiveWindowWriter::giveFocusBack()
{
    const Window before = std::exchange(m_focusBeforeDialogs, 0);
    if (!m_keyboard || !before || !m_dialogs.isEmpty())
        return;
    Display *display = m_keyboard->display();
    const X11Keyboard::ErrorTrap trap(display);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // Only when the focus went nowhere the user chose: to Tapoli, the root or the window manager.
    const bool nowhere = focus == None || focus == PointerRoot || isRoot(display, focus) || isOwnWindow(focus);
    const Window client = clientWindowOf(display, before);
    if (!nowhere && (!client || clientWindowOf(display, focus)))
        return;
    if (client) {
        // A window manager decides who has the focus: it is asked, as a taskbar would.
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = client;
        request.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        request.xclient.format = 32;
        request.xclient.data.l[0] = 2;
        request.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &request);
    } else {
        XSetInputFocus(display, before, RevertToParent, CurrentTime);
    }
    XFlush(display);
}
