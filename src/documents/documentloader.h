#pragma once

#include "documents/documentheader.h"
#include "text/textfile.h"
#include "text/wholetext.h"

#include <QObject>
#include <QString>
#include <QTextCursor>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QPlainTextEdit;
class QThread;
class QTimer;
class TextCommands;

// Brings an opened document's text into `texte`: reads a long one away from the window, then puts it in
// a slice at a time between the window's events, so that the window repaints, scrolls and can be closed
// meanwhile. Until the text is whole the text area takes no edit and is busy; whatever needs the whole
// text (keys typed into it included) waits here and runs afterwards in the order it was asked.
class DocumentLoader : public QObject, public WholeText
{
    Q_OBJECT

public:
    // What a document brings besides its text.
    struct Read
    {
        QString failure;   // the message to show when it could not be read
        TextFile::Encoding encoding = TextFile::Encoding::Windows1252;
        std::optional<DocumentHeader::Values> header;
        TextFile::Stamp stamp;
    };

    DocumentLoader(QPlainTextEdit *texte, TextCommands &commands, QObject *parent = nullptr);
    ~DocumentLoader() override;

    using Arrival = std::function<void(const Read &)>;
    // Reads `path` and puts its text in place of the whole text. `arrived` runs on the window's thread
    // once the file is read, before any of its text goes in (after a failure none does, and the text is
    // left as it was); `loaded` once the whole text is in. A later load replaces this one as soon as its
    // own text arrives; until then a text already going in goes on.
    void load(const QString &path, Arrival arrived, Arrival loaded);

    bool isWhole() const override { return !m_reading && m_putUpTo < 0; }
    void whenWhole(std::function<void()> command) override;
    // Something asked for meanwhile is still waiting for the whole text.
    bool hasWaiting() const { return !m_waiting.empty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Document
    {
        Read read;
        QString text;
    };
    static Document readFile(const QString &path);
    void readAside(const QString &path, Arrival arrived, Arrival loaded);
    void arrive(Document document, const Arrival &arrived, Arrival loaded);
    void putSlice();
    void putTail();
    void showBusy(bool busy);
    // Nothing asked for earlier is waiting still: what comes now may run at once.
    bool runsAtOnce() const;
    // Once the text is whole: the text area back as it is outside a load, and what waited run.
    void settle();

    QPlainTextEdit *m_texte;
    TextCommands &m_commands;
    // Counts the loads asked for: a reading that ends after a later load was asked brings nothing.
    int m_loads = 0;
    // The last load asked for is still being read on another thread.
    bool m_reading = false;
    std::vector<QThread *> m_readers;
    // The text going in, how much of it is in (-1: none is going in), and what it came with.
    QString m_text;
    qsizetype m_putUpTo = -1;
    // Where the last lines of m_text begin; they are in from the first slice on, the rest goes in at
    // m_insertion, before them.
    qsizetype m_tailFrom = 0;
    QTextCursor m_insertion;
    Read m_read;
    Arrival m_loaded;
    QTimer *m_sliceTimer;
    bool m_busyShown = false;
    std::deque<std::function<void()>> m_waiting;
    // A command that waited is running: what it sets off itself runs at once, as it would have.
    bool m_running = false;
};
