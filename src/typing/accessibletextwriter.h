#pragma once

#include "typing/elsewherewriter.h"

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

class QDBusMessage;
class QDBusPendingCallWatcher;

// "Écrire dans la fenêtre active" natively under Wayland, where no program may type for another: each
// character is inserted through the accessibility bus into the text field of another program that last
// had the focus, as a screen reader's tools edit text. Accessibility is switched on for the session while
// the mode is on (applications only expose their text then) and given back as it was found; nothing is
// ever inserted into Tapoli's own fields, nor when no field of another program has had the focus.
class AccessibleTextWriter : public ElsewhereWriter
{
    Q_OBJECT

public:
    // Whether the session bus offers an accessibility bus, running or to be started on demand.
    static bool sessionOffersBus();
    // Accessibility a killed Tapoli switched on for the session is switched off.
    static void giveBackAbandonedStatus();

    explicit AccessibleTextWriter(QObject *parent = nullptr);
    ~AccessibleTextWriter() override;

    // False when the accessibility bus cannot be reached.
    bool setOn(bool on) override;
    bool isOn() const override;
    void typeCharacter(const QString &character, bool stepBack) override;
    void pressReturn() override;
    void pressDelete() override;
    void takeBack() override;

private Q_SLOTS:
    // A slot by name: QtDBus connects signals no other way. Any signature, since toolkits differ.
    void stateChanged(const QDBusMessage &message);

private:
    // An accessible object of another program: its connection on the accessibility bus and its path.
    struct Field
    {
        QString service;
        QString path;
        // Which focus event made it known, so that a late answer never replaces a newer field.
        quint64 focusEvent = 0;
    };
    // How a toolkit counts the length InsertText is given.
    enum class Counting { Utf16Units, Utf8Bytes, Characters };

    // Whether a Tapoli that is gone switched accessibility on and could not give it back.
    static bool killedTapoliSwitchedOn();
    static bool setStatus(bool enabled);
    void giveBackStatus();
    bool isOwnApplication(const QString &service);
    void askWhetherEditable(const Field &candidate);
    void keepIfEditable(const Field &candidate, QDBusPendingCallWatcher *state);
    void keepIfEditableText(const Field &candidate, QDBusPendingCallWatcher *interfaces);
    Counting countingOf(const QString &service);
    // What a key types over: the selection, as on a keyboard, or the caret's place; from -1 when unknown.
    struct Span
    {
        int from = -1;
        int to = -1;
    };
    // Calls METHOD of the field, bounded in time; its answers, none for an error or no answer.
    QList<QVariant> call(const Field &field, const QString &interface, const QString &method,
                         const QList<QVariant> &arguments = {});
    QVariant property(const Field &field, const QString &interface, const QString &name);
    bool fieldStateHas(unsigned state);
    Span typingSpan();
    // Inserts TEXT over the selection or at the caret, checked by reading it back; the caret left after
    // it or, with `stepBack`, before it. Returns the offset it went in at, or -1.
    int insertAtCaret(const QString &text, bool stepBack);
    bool textAt(int offset, const QString &text);
    bool deleteText(int from, int to);
    void setCaret(int offset);

    QDBusConnection m_bus;
    // The accessibility status the session had before the mode, given back after it.
    bool m_foundEnabled = false;
    bool m_statusChanged = false;
    QHash<QString, bool> m_ownServices;
    QHash<QString, Counting> m_counting;
    Field m_field;
    quint64 m_focusEvents = 0;
    // What "Annuler" takes back: the last character inserted and where, if nothing was sent after it.
    struct Inserted
    {
        QString text;
        int offset = -1;
    } m_lastSent;
};
