#include "typing/x11keyboard.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

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
};

// Spares are the key codes no key of the layout uses, highest first: the ones a real keyboard is least
// likely to send. A layout leaves a score or so; each one lent saves a change of the mapping later.
constexpr size_t MostSpares = 64;
constexpr useconds_t SpareSettleMicroseconds = 2000;

// Each Tapoli records what it lent under a root window property of its own, named after its owner
// window, which the server destroys with the connection: a record whose owner is gone was abandoned.
const char RecordPrefix[] = "_TAPOLI_LENT_KEYS_";
// Set on the owner window, so that a window id the server gave again to another client is no owner.
const char LenderProperty[] = "_TAPOLI_LENDER";
// Record layout, 32-bit items: the owner window, how many key syms are kept of what a key code held
// before, then for each lent key code: the key code, the keysym lent to it, and those it held before
// (none: spares are key codes nothing used).
constexpr int RecordHeader = 2;

int trappedErrors = 0;
int trapError(Display *, XErrorEvent *)
{
    ++trappedErrors;
    return 0;
}

std::vector<unsigned long> keyboardMapping(Display *display, int *firstKeycode, int *perKeycode)
{
    int lastKeycode = 0;
    XDisplayKeycodes(display, firstKeycode, &lastKeycode);
    const int count = lastKeycode - *firstKeycode + 1;
    KeySym *symbols = XGetKeyboardMapping(display, KeyCode(*firstKeycode), count, perKeycode);
    std::vector<unsigned long> mapping;
    if (symbols) {
        mapping.assign(symbols, symbols + size_t(count) * size_t(*perKeycode));
        XFree(symbols);
    }
    return mapping;
}

// The key syms a spare holds while it is lent: the same in both columns, so Shift changes nothing.
std::vector<KeySym> lentSymbols(unsigned long keysym, int perKeycode)
{
    std::vector<KeySym> symbols(size_t(perKeycode), NoSymbol);
    if (keysym != NoSymbol) {
        symbols[0] = keysym;
        if (perKeycode > 1)
            symbols[1] = keysym;
    }
    return symbols;
}

// Whether a key code's syms are what a spare lent to `keysym` holds, or nothing at all for NoSymbol. A
// layout loaded since with more groups copies a lent keysym into each of them: still the same lend.
bool holdsLent(std::vector<unsigned long>::const_iterator symbols, int perKeycode, unsigned long keysym)
{
    if (perKeycode < 1 || symbols[0] != keysym)
        return false;
    return std::all_of(symbols, symbols + perKeycode,
                       [keysym](unsigned long symbol) { return symbol == keysym || symbol == NoSymbol; });
}

std::vector<unsigned long> windowProperty(Display *display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, property, 0, 1 << 20, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success
        && data) {
        if (format == 32) {
            const auto *items = reinterpret_cast<const unsigned long *>(data);
            values.assign(items, items + count);
        } else {
            values.assign(1, count);   // present, whatever its form
        }
        XFree(data);
    }
    return values;
}

bool lenderIsAlive(Display *display, unsigned long owner)
{
    X11Keyboard::ErrorTrap trap(display);
    const bool marked = !windowProperty(display, Window(owner), XInternAtom(display, LenderProperty, False)).empty();
    return trap.release() && marked;
}

} // namespace

X11Keyboard::ErrorTrap::ErrorTrap(_XDisplay *display)
    : m_display(display)
{
    XSync(m_display, False);
    trappedErrors = 0;
    m_previous = reinterpret_cast<void *>(XSetErrorHandler(trapError));
}

X11Keyboard::ErrorTrap::~ErrorTrap()
{
    release();
}

bool X11Keyboard::ErrorTrap::release()
{
    if (m_previous) {
        XSync(m_display, False);
        XSetErrorHandler(reinterpret_cast<XErrorHandler>(m_previous));
        m_previous = nullptr;
    }
    return trappedErrors == 0;
}

bool X11Keyboard::libraryLoaded()
{
    return XTest::library().queryExtension && XTest::library().fakeKeyEvent;
}

bool X11Keyboard::serverOffersXTest(_XDisplay *display)
{
    int event = 0, error = 0, major = 0, minor = 0;
    return libraryLoaded() && XTest::library().queryExtension(display, &event, &error, &major, &minor);
}

std::unique_ptr<X11Keyboard> X11Keyboard::open(const QByteArray &displayName)
{
    Display *display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!display)
        return nullptr;
    if (!serverOffersXTest(display)) {
        XCloseDisplay(display);
        return nullptr;
    }
    giveBackAbandonedSpares(display);
    return std::unique_ptr<X11Keyboard>(new X11Keyboard(display));
}

X11Keyboard::X11Keyboard(_XDisplay *display)
    : m_display(display)
{
    const Window root = DefaultRootWindow(m_display);
    XSetWindowAttributes attributes{};
    m_owner = XCreateWindow(m_display, root, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, 0,
                            &attributes);
    const unsigned char mark[] = "tapoli";
    XChangeProperty(m_display, Window(m_owner), XInternAtom(m_display, LenderProperty, False), XA_STRING, 8,
                    PropModeReplace, mark, int(sizeof mark - 1));
    char name[64];
    std::snprintf(name, sizeof name, "%s%lx", RecordPrefix, m_owner);
    m_recordAtom = XInternAtom(m_display, name, False);
    readMapping();
}

X11Keyboard::~X11Keyboard()
{
    giveSparesBack();
    XDestroyWindow(m_display, Window(m_owner));
    XCloseDisplay(m_display);
}

void X11Keyboard::giveBackAbandonedSpares(_XDisplay *display)
{
    const Window root = DefaultRootWindow(display);
    int count = 0;
    Atom *atoms = XListProperties(display, root, &count);
    if (!atoms)
        return;
    std::vector<char *> names(size_t(count), nullptr);
    if (count > 0 && !XGetAtomNames(display, atoms, count, names.data()))
        names.assign(size_t(count), nullptr);
    int firstKeycode = 0, perKeycode = 0;
    std::vector<unsigned long> mapping;
    for (int index = 0; index < count; ++index) {
        if (!names[size_t(index)] || std::strncmp(names[size_t(index)], RecordPrefix, sizeof RecordPrefix - 1) != 0)
            continue;
        const std::vector<unsigned long> record = windowProperty(display, root, atoms[index]);
        if (record.size() >= RecordHeader && lenderIsAlive(display, record[0]))
            continue;
        if (mapping.empty())
            mapping = keyboardMapping(display, &firstKeycode, &perKeycode);
        const size_t recorded = record.size() >= RecordHeader ? record[1] : 0;
        for (size_t at = RecordHeader; recorded > 0 && at + 2 + recorded <= record.size(); at += 2 + recorded) {
            const int keycode = int(record[at]);
            const size_t offset = size_t(keycode - firstKeycode) * size_t(perKeycode);
            if (keycode < firstKeycode || offset + size_t(perKeycode) > mapping.size())
                continue;
            // Only what still holds what was lent: a layout loaded since owns the key code now.
            if (!holdsLent(mapping.cbegin() + long(offset), perKeycode, record[at + 1]))
                continue;
            std::vector<KeySym> before(size_t(perKeycode), NoSymbol);
            for (size_t column = 0; column < std::min(recorded, before.size()); ++column)
                before[column] = record[at + 2 + column];
            XChangeKeyboardMapping(display, keycode, perKeycode, before.data(), 1);
            std::copy(before.begin(), before.end(), mapping.begin() + long(offset));
        }
        XDeleteProperty(display, root, atoms[index]);
    }
    for (char *name : names) {
        if (name)
            XFree(name);
    }
    XFree(atoms);
    XSync(display, False);
}

void X11Keyboard::readMapping()
{
    m_mapping = keyboardMapping(m_display, &m_firstKeycode, &m_perKeycode);
}

bool X11Keyboard::holds(int keycode, unsigned long keysym) const
{
    const size_t offset = size_t(keycode - m_firstKeycode) * size_t(m_perKeycode);
    if (keycode < m_firstKeycode || offset + size_t(m_perKeycode) > m_mapping.size())
        return false;
    return holdsLent(m_mapping.cbegin() + long(offset), m_perKeycode, keysym);
}

int X11Keyboard::keycodeOf(unsigned long keysym, bool *shift) const
{
    // The first group's two levels: the group and the modifiers are set for them while a key is typed.
    for (int column = 0; column < std::min(m_perKeycode, 2); ++column) {
        for (size_t index = size_t(column); index < m_mapping.size(); index += size_t(m_perKeycode)) {
            if (m_mapping[index] == keysym) {
                *shift = column == 1;
                return m_firstKeycode + int(index) / m_perKeycode;
            }
        }
    }
    return 0;
}

X11Keyboard::Spare *X11Keyboard::spareFor()
{
    // A layout loaded meanwhile may have taken a spare, or freed key codes: keep what is still ours,
    // then the key codes nothing uses.
    std::vector<Spare> spares;
    for (const Spare &spare : m_spares) {
        if (spare.keysym != NoSymbol && holds(spare.keycode, spare.keysym))
            spares.push_back(spare);
    }
    const int lastKeycode = m_firstKeycode + int(m_mapping.size()) / std::max(m_perKeycode, 1) - 1;
    for (int keycode = lastKeycode; keycode >= m_firstKeycode && spares.size() < MostSpares; --keycode) {
        const bool known = std::any_of(spares.begin(), spares.end(), [keycode](const Spare &s) { return s.keycode == keycode; });
        if (!known && holds(keycode, NoSymbol))
            spares.push_back({keycode, NoSymbol, 0});
    }
    m_spares = std::move(spares);
    if (m_spares.empty())
        return nullptr;
    auto free = std::find_if(m_spares.begin(), m_spares.end(), [](const Spare &s) { return s.keysym == NoSymbol; });
    if (free != m_spares.end())
        return &*free;
    return &*std::min_element(m_spares.begin(), m_spares.end(),
                              [](const Spare &a, const Spare &b) { return a.lastUse < b.lastUse; });
}

void X11Keyboard::lend(Spare &spare, unsigned long keysym)
{
    std::vector<KeySym> symbols = lentSymbols(keysym, m_perKeycode);
    XChangeKeyboardMapping(m_display, spare.keycode, m_perKeycode, symbols.data(), 1);
    spare.keysym = keysym;
    const size_t offset = size_t(spare.keycode - m_firstKeycode) * size_t(m_perKeycode);
    std::copy(symbols.begin(), symbols.end(), m_mapping.begin() + long(offset));
    record();
}

void X11Keyboard::record()
{
    const Window root = DefaultRootWindow(m_display);
    std::vector<unsigned long> data{m_owner, 1};
    for (const Spare &spare : m_spares) {
        if (spare.keysym != NoSymbol)
            data.insert(data.end(), {static_cast<unsigned long>(spare.keycode), spare.keysym, NoSymbol});
    }
    if (data.size() == RecordHeader)
        XDeleteProperty(m_display, root, Atom(m_recordAtom));
    else
        XChangeProperty(m_display, root, Atom(m_recordAtom), XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(data.data()), int(data.size()));
}

bool X11Keyboard::type(unsigned long keysym)
{
    readMapping();
    bool shift = false;
    if (const int keycode = keycodeOf(keysym, &shift)) {
        for (Spare &spare : m_spares) {
            if (spare.keycode == keycode)
                spare.lastUse = ++m_uses;
        }
        press(keycode, shift);
        return true;
    }
    Spare *spare = spareFor();
    if (!spare)
        return false;
    spare->lastUse = ++m_uses;
    lend(*spare, keysym);
    // The receiving program learns of the new mapping from a notice that reaches it just before
    // the key, and reads the mapping only when it handles that notice: a busy one would meet the key
    // first and type nothing (one press in twenty-five, measured). A moment's pause lets it catch up.
    XSync(m_display, False);
    usleep(SpareSettleMicroseconds);
    press(spare->keycode, false);
    return true;
}

void X11Keyboard::pressKeysym(unsigned long keysym)
{
    readMapping();
    bool shift = false;
    if (const int keycode = keycodeOf(keysym, &shift))
        press(keycode, shift);
}

void X11Keyboard::press(int keycode, bool shift)
{
    // A locked group (a second layout), Caps Lock or a latched modifier would make the key type another
    // character than the button shows: they are off for the key, and put back as they were. Num Lock
    // changes only the keypad, which types nothing Tapoli sends.
    XkbStateRec state{};
    const bool known = XkbGetState(m_display, XkbUseCoreKbd, &state) == Success;
    const unsigned locked = known ? state.locked_mods & ~XkbKeysymToModifiers(m_display, XK_Num_Lock) : 0;
    const unsigned latched = known ? state.latched_mods : 0;
    const int lockedGroup = known ? state.locked_group : 0;
    const int latchedGroup = known ? state.latched_group : 0;
    if (locked)
        XkbLockModifiers(m_display, XkbUseCoreKbd, locked, 0);
    if (latched)
        XkbLatchModifiers(m_display, XkbUseCoreKbd, latched, 0);
    if (lockedGroup)
        XkbLockGroup(m_display, XkbUseCoreKbd, 0);
    if (latchedGroup)
        XkbLatchGroup(m_display, XkbUseCoreKbd, 0);

    const auto fake = XTest::library().fakeKeyEvent;
    bool found = false;
    const int shiftKeycode = shift ? keycodeOf(XK_Shift_L, &found) : 0;
    if (shiftKeycode)
        fake(m_display, unsigned(shiftKeycode), True, CurrentTime);
    fake(m_display, unsigned(keycode), True, CurrentTime);
    fake(m_display, unsigned(keycode), False, CurrentTime);
    if (shiftKeycode)
        fake(m_display, unsigned(shiftKeycode), False, CurrentTime);

    if (latchedGroup)
        XkbLatchGroup(m_display, XkbUseCoreKbd, unsigned(latchedGroup));
    if (lockedGroup)
        XkbLockGroup(m_display, XkbUseCoreKbd, unsigned(lockedGroup));
    if (latched)
        XkbLatchModifiers(m_display, XkbUseCoreKbd, latched, latched);
    if (locked)
        XkbLockModifiers(m_display, XkbUseCoreKbd, locked, locked);
    XFlush(m_display);
}

void X11Keyboard::giveSparesBack()
{
    readMapping();
    for (Spare &spare : m_spares) {
        if (spare.keysym != NoSymbol && holds(spare.keycode, spare.keysym)) {
            std::vector<KeySym> nothing(size_t(m_perKeycode), NoSymbol);
            XChangeKeyboardMapping(m_display, spare.keycode, m_perKeycode, nothing.data(), 1);
        }
        spare.keysym = NoSymbol;
    }
    record();
    XSync(m_display, False);
}
