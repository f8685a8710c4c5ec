#include "typing/activewindowwriter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

// libXtst is opened only when the mode is first asked for: a start-up that does not use it loads nothing.
struct XTest
{
    using QueryExtension = int (*)(Display *, int *, int *, int *, int *);
    using FakeKeyEvent = int (*)(Display *, unsigned int, int, unsigned long);
    QueryExtension queryExtension = nullptr;
    FakeKeyEvent fakeKeyEvent = nullptr;

    static const XTest &library()
    {
        static const XTest loaded = [] {
            XTest functions;
            if (void *handle = dlopen("libXtst.so.6", RTLD_NOW | RTLD_LOCAL)) {
                functions.queryExtension = reinterpret_cast<QueryExtension>(dlsym(handle, "XTestQueryExtension"));
                functions.fakeKeyEvent = reinterpret_cast<FakeKeyEvent>(dlsym(handle, "XTestFakeKeyEvent"));
            }
            return functions;
        }();
        return loaded;
    }
    bool isLoaded() const { return queryExtension && fakeKeyEvent; }
};

bool hasXTest(Display *display)
{
    int event = 0, error = 0, major = 0, minor = 0;
    return XTest::library().queryExtension(display, &event, &error, &major, &minor);
}

// The keysym that types a character: Latin-1 keysyms are their code points, the others Unicode keysyms.
KeySym keysymOf(char32_t character)
{
    if ((character >= 0x20 && character <= 0x7E) || (character >= 0xA0 && character <= 0xFF))
        return KeySym(character);
    return KeySym(0x01000000 | character);
}

constexpr int SpareCount = 8;
constexpr int SpareHoldMilliseconds = 1000;
constexpr useconds_t SpareSettleMicroseconds = 2000;

} // namespace

struct ActiveWindowWriter::Keyboard
{
    Display *display = nullptr;
    int firstKeycode = 0;
    int perKeycode = 0;
    std::vector<KeySym> mapping;   // as found, refreshed before each character
    struct Spare
    {
        int keycode;
        KeySym keysym;   // NoSymbol while it is given back
        quint64 lastUse;
    };
    std::vector<Spare> spares;
    quint64 uses = 0;

    ~Keyboard()
    {
        if (display)
            XCloseDisplay(display);
    }

    void readMapping()
    {
        int lastKeycode = 0;
        XDisplayKeycodes(display, &firstKeycode, &lastKeycode);
        KeySym *symbols = XGetKeyboardMapping(display, KeyCode(firstKeycode), lastKeycode - firstKeycode + 1,
                                              &perKeycode);
        mapping.assign(symbols, symbols + (lastKeycode - firstKeycode + 1) * perKeycode);
        XFree(symbols);
    }

    bool isUnused(int keycode) const
    {
        const auto begin = mapping.begin() + (keycode - firstKeycode) * perKeycode;
        return std::all_of(begin, begin + perKeycode, [](KeySym symbol) { return symbol == NoSymbol; });
    }

    // The keycode that types `keysym` in the first group, with or without Shift; 0 when none does.
    int keycodeOf(KeySym keysym, bool *shift) const
    {
        for (int column = 0; column < std::min(perKeycode, 2); ++column) {
            for (size_t index = size_t(column); index < mapping.size(); index += size_t(perKeycode)) {
                if (mapping[index] == keysym) {
                    *shift = column == 1;
                    return firstKeycode + int(index) / perKeycode;
                }
            }
        }
        return 0;
    }

    void setSpare(Spare &spare, KeySym keysym)
    {
        std::vector<KeySym> symbols(size_t(perKeycode), NoSymbol);
        if (keysym != NoSymbol)
            symbols[0] = symbols[1 % perKeycode] = keysym;
        XChangeKeyboardMapping(display, spare.keycode, perKeycode, symbols.data(), 1);
        spare.keysym = keysym;
    }

    void press(int keycode, bool shift)
    {
        const auto fake = XTest::library().fakeKeyEvent;
        const int shiftKeycode = XKeysymToKeycode(display, XK_Shift_L);
        if (shift && shiftKeycode)
            fake(display, unsigned(shiftKeycode), True, CurrentTime);
        fake(display, unsigned(keycode), True, CurrentTime);
        fake(display, unsigned(keycode), False, CurrentTime);
        if (shift && shiftKeycode)
            fake(display, unsigned(shiftKeycode), False, CurrentTime);
    }

    void pressKeysym(KeySym keysym)
    {
        if (const int keycode = XKeysymToKeycode(display, keysym))
            press(keycode, false);
    }

    // Presses the key that types `keysym`, lending it a spare key code when the layout has none.
    // True when a spare was lent.
    bool type(KeySym keysym)
    {
        readMapping();
        bool shift = false;
        if (const int keycode = keycodeOf(keysym, &shift)) {
            press(keycode, shift);
            return false;
        }
        if (spares.empty())
            return false;
        auto spare = std::find_if(spares.begin(), spares.end(), [keysym](const Spare &s) { return s.keysym == keysym; });
        if (spare == spares.end())
            spare = std::min_element(spares.begin(), spares.end(),
                                     [](const Spare &a, const Spare &b) { return a.lastUse < b.lastUse; });
        spare->lastUse = ++uses;
        setSpare(*spare, keysym);
        // The receiving program learns of the new mapping from a notice that reaches it just before
        // the key, and reads the mapping only when it handles that notice: a busy one would meet the key
        // first and type nothing (one press in twenty-five, measured). A moment's pause lets it catch up.
        XSync(display, False);
        usleep(SpareSettleMicroseconds);
        press(spare->keycode, false);
        return true;
    }

    void giveSparesBack()
    {
        for (Spare &spare : spares) {
            if (spare.keysym != NoSymbol)
                setSpare(spare, NoSymbol);
        }
        XSync(display, False);
    }
};

QString ActiveWindowWriter::unavailableReason()
{
    static const QString reason = [] {
        const QString platform = QGuiApplication::platformName();
        if (platform.startsWith(QLatin1String("wayland")))
            return QStringLiteral("Sous Wayland, un programme ne peut pas écrire dans les fenêtres des autres. "
                                  "Démarré avec QT_QPA_PLATFORM=xcb, Tapoli écrit dans les applications X11.");
        if (platform != QLatin1String("xcb"))
            return QStringLiteral("Possible seulement sur un affichage X11.");
        if (!XTest::library().isLoaded())
            return QStringLiteral("La bibliothèque libXtst manque : installez le paquet libxtst6.");
        Display *display = XOpenDisplay(nullptr);
        if (!display)
            return QStringLiteral("L'affichage X11 ne répond pas.");
        const bool available = hasXTest(display);
        XCloseDisplay(display);
        return available ? QString()
                         : QStringLiteral("Le serveur X n'offre pas l'extension XTEST : Tapoli ne peut pas y "
                                          "taper à la place du clavier.");
    }();
    return reason;
}

QString ActiveWindowWriter::availableNote()
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland"))
        return QStringLiteral("Sous XWayland, seules les applications X11 reçoivent les caractères.");
    return QStringLiteral("Les touches de Tapoli écrivent dans la fenêtre qui a le clavier, comme si on les tapait.");
}

ActiveWindowWriter::ActiveWindowWriter(QObject *parent)
    : QObject(parent)
{
    m_restore.setSingleShot(true);
    m_restore.setInterval(SpareHoldMilliseconds);
    connect(&m_restore, &QTimer::timeout, this, &ActiveWindowWriter::restoreMapping);
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
        restoreMapping();
        m_keyboard.reset();
        m_lastSent = LastSent::Nothing;
        return true;
    }
    if (m_keyboard)
        return true;
    if (!unavailableReason().isEmpty())
        return false;
    auto keyboard = std::make_unique<Keyboard>();
    keyboard->display = XOpenDisplay(nullptr);
    if (!keyboard->display || !hasXTest(keyboard->display))
        return false;
    keyboard->readMapping();
    // The highest unused key codes: the ones a real keyboard is least likely to send.
    const int lastKeycode = keyboard->firstKeycode + int(keyboard->mapping.size()) / keyboard->perKeycode - 1;
    for (int keycode = lastKeycode; keycode >= keyboard->firstKeycode && keyboard->spares.size() < SpareCount; --keycode) {
        if (keyboard->isUnused(keycode))
            keyboard->spares.push_back({keycode, NoSymbol, 0});
    }
    m_keyboard = std::move(keyboard);
    return true;
}

bool ActiveWindowWriter::isOn() const
{
    return m_keyboard != nullptr;
}

bool ActiveWindowWriter::focusIsElsewhere() const
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(m_keyboard->display, &focus, &revert);
    if (focus == None || focus == PointerRoot)
        return false;
    std::vector<Window> own;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows) {
        if (const WId id = window->internalWinId())
            own.push_back(Window(id));
    }
    // The focus may be on a child of a window, and a window manager puts frames around them.
    for (Window window = focus; window != None;) {
        if (std::find(own.begin(), own.end(), window) != own.end())
            return false;
        Window root = None, parent = None, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_keyboard->display, window, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        window = parent == root ? None : parent;
    }
    return true;
}

void ActiveWindowWriter::typeCharacter(const QString &character, bool stepBack)
{
    if (!m_keyboard || character.isEmpty() || !focusIsElsewhere())
        return;
    const char32_t code = character.toUcs4().value(0);
    if (m_keyboard->type(keysymOf(code)))
        m_restore.start();
    if (stepBack)
        m_keyboard->pressKeysym(XK_Left);
    XFlush(m_keyboard->display);
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
    if (!m_keyboard || !focusIsElsewhere())
        return;
    m_keyboard->pressKeysym(keysym);
    XFlush(m_keyboard->display);
    m_lastSent = LastSent::Nothing;
}

void ActiveWindowWriter::restoreMapping()
{
    m_restore.stop();
    if (m_keyboard)
        m_keyboard->giveSparesBack();
}
