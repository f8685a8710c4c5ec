#include "typing/accessibletextwriter.h"

#include "text/textrules.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <utility>

#include <signal.h>

namespace {

// A hung application must not hold Tapoli's window for longer than this, per call.
constexpr int callTimeout = 500;

const QString launcherService = QStringLiteral("org.a11y.Bus");
const QString launcherPath = QStringLiteral("/org/a11y/bus");
const QString statusInterface = QStringLiteral("org.a11y.Status");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString connectionName = QStringLiteral("tapoli-accessibility");
const QString focusEvent = QStringLiteral("object:state-changed:focused");
const QString accessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString textInterface = QStringLiteral("org.a11y.atspi.Text");
const QString editableTextInterface = QStringLiteral("org.a11y.atspi.EditableText");

// AT-SPI's state numbers.
constexpr unsigned editableState = 7;
constexpr unsigned multiLineState = 17;

bool hasState(const QVariant &states, unsigned state)
{
    const QList<uint> words = qdbus_cast<QList<uint>>(states);
    return state / 32 < unsigned(words.size()) && (words.at(int(state / 32)) >> (state % 32)) & 1U;
}

QDBusMessage callSession(const QString &interface, const QString &method, const QList<QVariant> &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(launcherService, launcherPath, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, callTimeout);
}

QVariant firstAnswer(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0) : QVariant();
}

QDBusMessage callRegistry(const QDBusConnection &bus, const QString &method, const QList<QVariant> &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
        QStringLiteral("org.a11y.atspi.Registry"), method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, callTimeout);
}

// A question to the bus daemon itself.
QVariant askBus(const QDBusConnection &bus, const QString &method, const QList<QVariant> &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    message.setArguments(arguments);
    return firstAnswer(bus.call(message, QDBus::Block, callTimeout));
}

// Holds the process number of the Tapoli that switched the session's accessibility on, while it is on:
// a Tapoli killed meanwhile cannot give it back, the next one does.
QString markerPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
        + QStringLiteral("/tapoli-accessibility");
}

void writeMarker()
{
    QSaveFile marker(markerPath());
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write(QByteArray::number(QCoreApplication::applicationPid()));
        if (marker.flush())
            marker.commit();
    }
}

} // namespace

bool AccessibleTextWriter::sessionOffersBus()
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return false;
    // On a desktop the launcher runs from the start; elsewhere the bus starts it when first asked.
    return askBus(session, QStringLiteral("NameHasOwner"), {launcherService}).toBool()
        || askBus(session, QStringLiteral("ListActivatableNames"), {}).toStringList().contains(launcherService);
}

bool AccessibleTextWriter::killedTapoliSwitchedOn()
{
    QFile marker(markerPath());
    if (!marker.open(QIODevice::ReadOnly))
        return false;
    bool read = false;
    const qint64 pid = marker.readAll().trimmed().toLongLong(&read);
    if (!read || pid <= 0)
        return true;
    return pid != QCoreApplication::applicationPid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

bool AccessibleTextWriter::setStatus(bool enabled)
{
    const QDBusMessage set = callSession(propertiesInterface, QStringLiteral("Set"),
                                         {statusInterface, QStringLiteral("IsEnabled"),
                                          QVariant::fromValue(QDBusVariant(enabled))});
    return set.type() == QDBusMessage::ReplyMessage;
}

void AccessibleTextWriter::giveBackAbandonedStatus()
{
    if (killedTapoliSwitchedOn() && setStatus(false))
        QFile::remove(markerPath());
}

AccessibleTextWriter::AccessibleTextWriter(QObject *parent)
    : ElsewhereWriter(parent)
    , m_bus(QString())
{
    // Whatever ends the program, the session's accessibility is left as it was found.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { setOn(false); });
}

AccessibleTextWriter::~AccessibleTextWriter()
{
    setOn(false);
}

bool AccessibleTextWriter::setOn(bool on)
{
    if (!on) {
        if (!isOn())
            return true;
        callRegistry(m_bus, QStringLiteral("DeregisterEvent"), {focusEvent});
        giveBackStatus();
        m_bus = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(connectionName);
        m_ownServices.clear();
        m_counting.clear();
        m_field = {};
        m_lastSent = {};
        return true;
    }
    if (isOn())
        return true;
    const QString address = firstAnswer(callSession(launcherService, QStringLiteral("GetAddress"))).toString();
    if (address.isEmpty())
        return false;
    QDBusConnection bus = QDBusConnection::connectToBus(address, connectionName);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(connectionName);
        return false;
    }
    m_bus = bus;
    // Applications expose their text only while the session says accessibility is on.
    const QVariant found = firstAnswer(
        callSession(propertiesInterface, QStringLiteral("Get"), {statusInterface, QStringLiteral("IsEnabled")}));
    const bool enabled = found.value<QDBusVariant>().variant().toBool();
    // On because a killed Tapoli left it on: it was off before, and this one gives it back.
    m_foundEnabled = enabled && !killedTapoliSwitchedOn();
    m_statusChanged = !m_foundEnabled && (enabled || setStatus(true));
    if (m_statusChanged)
        writeMarker();
    m_bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"),
                  this, SLOT(stateChanged(QDBusMessage)));
    // Toolkits send their focus events only once someone has asked for them.
    callRegistry(m_bus, QStringLiteral("RegisterEvent"), {focusEvent, QStringList(), QString()});
    return true;
}

bool AccessibleTextWriter::isOn() const
{
    return m_bus.isConnected();
}

void AccessibleTextWriter::giveBackStatus()
{
    if (std::exchange(m_statusChanged, false) && setStatus(m_foundEnabled))
        QFile::remove(markerPath());
}

void AccessibleTextWriter::stateChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || arguments.at(0).toString() != QLatin1String("focused") || arguments.at(1).toInt() != 1)
        return;
    if (isOwnApplication(message.service()))
        return;
    askWhetherEditable({message.service(), message.path(), ++m_focusEvents});
}

bool AccessibleTextWriter::isOwnApplication(const QString &service)
{
    const auto known = m_ownServices.constFind(service);
    if (known != m_ownServices.constEnd())
        return *known;
    const QVariant pid = askBus(m_bus, QStringLiteral("GetConnectionUnixProcessID"), {service});
    // A program that cannot be told apart from Tapoli is not written into.
    if (!pid.isValid())
        return true;
    const bool own = pid.toLongLong() == QCoreApplication::applicationPid();
    m_ownServices.insert(service, own);
    return own;
}

// Asked without waiting: the focus moves while the user works, and Tapoli's window must not wait on
// the program that took it.
void AccessibleTextWriter::askWhetherEditable(const Field &candidate)
{
    const QDBusMessage message =
        QDBusMessage::createMethodCall(candidate.service, candidate.path, accessibleInterface, QStringLiteral("GetState"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, callTimeout), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, candidate](QDBusPendingCallWatcher *state) { keepIfEditable(candidate, state); });
}

void AccessibleTextWriter::keepIfEditable(const Field &candidate, QDBusPendingCallWatcher *state)
{
    state->deleteLater();
    if (!isOn() || !hasState(firstAnswer(state->reply()), editableState))
        return;
    const QDBusMessage message = QDBusMessage::createMethodCall(candidate.service, candidate.path,
                                                                accessibleInterface, QStringLiteral("GetInterfaces"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, callTimeout), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, candidate](QDBusPendingCallWatcher *interfaces) { keepIfEditableText(candidate, interfaces); });
}

void AccessibleTextWriter::keepIfEditableText(const Field &candidate, QDBusPendingCallWatcher *interfaces)
{
    interfaces->deleteLater();
    if (!isOn() || candidate.focusEvent < m_field.focusEvent
        || !firstAnswer(interfaces->reply()).toStringList().contains(editableTextInterface))
        return;
    m_field = candidate;
    m_lastSent = {};
}

AccessibleTextWriter::Counting AccessibleTextWriter::countingOf(const QString &service)
{
    const auto known = m_counting.constFind(service);
    if (known != m_counting.constEnd())
        return *known;
    const Field root{service, QStringLiteral("/org/a11y/atspi/accessible/root")};
    const QString applicationInterface = QStringLiteral("org.a11y.atspi.Application");
    const QString toolkit = property(root, applicationInterface, QStringLiteral("ToolkitName")).toString();
    // Qt counts UTF-16 units, GTK 3 bytes of UTF-8 and GTK 4 characters, as AT-SPI means.
    Counting counting = Counting::Characters;
    if (toolkit.compare(QLatin1String("Qt"), Qt::CaseInsensitive) == 0) {
        counting = Counting::Utf16Units;
    } else if (toolkit.compare(QLatin1String("GTK"), Qt::CaseInsensitive) == 0
               || toolkit.compare(QLatin1String("GAIL"), Qt::CaseInsensitive) == 0) {
        const QString version = property(root, applicationInterface, QStringLiteral("Version")).toString();
        if (version.section(QLatin1Char('.'), 0, 0).toInt() < 4)
            counting = Counting::Utf8Bytes;
    }
    if (!toolkit.isEmpty())
        m_counting.insert(service, counting);
    return counting;
}

QList<QVariant> AccessibleTextWriter::call(const Field &field, const QString &interface, const QString &method,
                                           const QList<QVariant> &arguments)
{
    if (field.service.isEmpty())
        return {};
    QDBusMessage message = QDBusMessage::createMethodCall(field.service, field.path, interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, callTimeout);
    // A program that does not answer, or is gone, is not asked again until a field takes the focus.
    const QDBusError::ErrorType error = QDBusError(reply).type();
    if (&field == &m_field && (error == QDBusError::NoReply || error == QDBusError::ServiceUnknown)) {
        m_field = {};
        m_lastSent = {};
    }
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments() : QList<QVariant>();
}

QVariant AccessibleTextWriter::property(const Field &field, const QString &interface, const QString &name)
{
    return call(field, propertiesInterface, QStringLiteral("Get"), {interface, name})
        .value(0)
        .value<QDBusVariant>()
        .variant();
}

bool AccessibleTextWriter::fieldStateHas(unsigned state)
{
    return hasState(call(m_field, accessibleInterface, QStringLiteral("GetState")).value(0), state);
}

AccessibleTextWriter::Span AccessibleTextWriter::typingSpan()
{
    if (call(m_field, textInterface, QStringLiteral("GetNSelections")).value(0).toInt() > 0) {
        const QList<QVariant> selection = call(m_field, textInterface, QStringLiteral("GetSelection"), {0});
        const Span selected{selection.value(0, -1).toInt(), selection.value(1, -1).toInt()};
        if (selected.from >= 0 && selected.to > selected.from)
            return selected;
    }
    const QVariant caret = property(m_field, textInterface, QStringLiteral("CaretOffset"));
    return caret.isValid() ? Span{caret.toInt(), caret.toInt()} : Span{};
}

// Offsets count characters; Qt's count UTF-16 units, the same for every character Tapoli's keys hold.
int AccessibleTextWriter::insertAtCaret(const QString &text, bool stepBack)
{
    const Span span = typingSpan();
    if (span.from < 0 || (span.to > span.from && !deleteText(span.from, span.to)))
        return -1;
    int length = int(text.toUcs4().size());
    switch (countingOf(m_field.service)) {
    case Counting::Utf16Units:
        length = int(text.size());
        break;
    case Counting::Utf8Bytes:
        length = int(text.toUtf8().size());
        break;
    case Counting::Characters:
        break;
    }
    call(m_field, editableTextInterface, QStringLiteral("InsertText"), {span.from, text, length});
    // Its answer says little (Qt's is true whatever happened): what the field holds now says it all.
    if (!textAt(span.from, text))
        return -1;
    setCaret(stepBack ? span.from : span.from + int(text.size()));
    return span.from;
}

bool AccessibleTextWriter::textAt(int offset, const QString &text)
{
    const QVariant there =
        call(m_field, textInterface, QStringLiteral("GetText"), {offset, offset + int(text.size())}).value(0);
    return there.isValid() && there.toString() == text;
}

bool AccessibleTextWriter::deleteText(int from, int to)
{
    return call(m_field, editableTextInterface, QStringLiteral("DeleteText"), {from, to}).value(0).toBool();
}

// Set every time: toolkits put the caret anywhere after an edit through the bus (Qt at the end).
void AccessibleTextWriter::setCaret(int offset)
{
    call(m_field, textInterface, QStringLiteral("SetCaretOffset"), {offset});
}

void AccessibleTextWriter::typeCharacter(const QString &character, bool stepBack)
{
    // A control character from a layout file would command the program it reaches.
    if (!isOn() || character.isEmpty() || TextRules::isControl(character.toUcs4().value(0)))
        return;
    const int offset = insertAtCaret(character, stepBack);
    m_lastSent = offset < 0 ? Inserted{} : Inserted{character, offset};
}

void AccessibleTextWriter::pressReturn()
{
    m_lastSent = {};
    // A single-line field would take the line break into its text, where a key's Return would not.
    if (isOn() && fieldStateHas(multiLineState))
        insertAtCaret(QStringLiteral("\n"), false);
}

void AccessibleTextWriter::pressDelete()
{
    m_lastSent = {};
    if (!isOn())
        return;
    // The selection, or the character after the caret, as the Delete key takes them.
    Span span = typingSpan();
    if (span.from >= 0 && span.to == span.from
        && !call(m_field, textInterface, QStringLiteral("GetText"), {span.from, span.from + 1}).value(0).toString().isEmpty())
        span.to = span.from + 1;
    if (span.to > span.from && deleteText(span.from, span.to))
        setCaret(span.from);
}

void AccessibleTextWriter::takeBack()
{
    const Inserted last = std::exchange(m_lastSent, {});
    // Only the character still where it went in: the user may have moved or typed in between.
    if (last.offset < 0 || !textAt(last.offset, last.text))
        return;
    if (deleteText(last.offset, last.offset + int(last.text.size())))
        setCaret(last.offset);
}
