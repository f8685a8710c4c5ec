#include "documents/documentloader.h"

#include "shared/messages.h"
#include "text/textcommands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <utility>

namespace {
// From this size on, a document is read and decoded away from the window, which goes on answering.
constexpr qint64 ReadAsideFrom = 4 * 1024 * 1024;
// A slice of a long text goes in within about this time: short enough for the window to keep up, long
// enough that the slices' own cost stays small beside the text's.
constexpr int SliceMs = 40;
// A piece goes in whole lines at a time, this many characters or the one line that is longer: Qt lays
// a line out again whole each time something is added to it, so a piece ending inside a line would have
// the pieces after it lay the same line out again and again.
constexpr qsizetype PieceCharacters = 128 * 1024;
// The lines that go in first, at the end of the text: at least a screenful.
constexpr int TailLines = 128;

// Keys that only take the focus elsewhere, which a busy text area has no reason to keep.
bool movesFocusOut(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && key->modifiers().testFlag(Qt::ControlModifier);
}
} // namespace

DocumentLoader::DocumentLoader(QPlainTextEdit *texte, TextCommands &commands, QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_commands(commands)
    , m_sliceTimer(new QTimer(this))
{
    m_sliceTimer->setInterval(0);
    m_sliceTimer->setSingleShot(true);
    connect(m_sliceTimer, &QTimer::timeout, this, &DocumentLoader::putSlice);
    m_texte->installEventFilter(this);
}

DocumentLoader::~DocumentLoader()
{
    // A document still being read is let go; its reading ends before the window goes.
    for (QThread *reader : m_readers)
        reader->wait();
    // Nor does a window closed mid-load leave the busy pointer behind.
    if (m_busyShown)
        QGuiApplication::restoreOverrideCursor();
}

DocumentLoader::Document DocumentLoader::readFile(const QString &path)
{
    Document document;
    TextFile::ReadResult file = TextFile::read(path);
    if (!file.ok) {
        document.read.failure =
            QFileInfo(path).size() > TextFile::LargestFile ? Messages::fileTooLarge(TextFile::LargestFile) : Messages::cannotLoad();
        return document;
    }
    TextFile::DecodedText decoded = TextFile::decodeText(file.bytes);
    file.bytes = {};
    document.read.encoding = decoded.encoding;
    document.read.stamp = file.stamp;
    document.read.header =
        DocumentHeader::isTapoliDocument(path) ? DocumentHeader::read(decoded.text) : std::nullopt;
    document.text = document.read.header ? DocumentHeader::stripped(std::move(decoded.text)) : std::move(decoded.text);
    return document;
}

void DocumentLoader::load(const QString &path, Arrival arrived, Arrival loaded)
{
    ++m_loads;
    showBusy(true);
    const qint64 size = QFileInfo(path).size();
    if (size < ReadAsideFrom || size > TextFile::LargestFile) {
        m_reading = false;
        arrive(readFile(path), arrived, std::move(loaded));
    } else {
        readAside(path, std::move(arrived), std::move(loaded));
    }
}

void DocumentLoader::readAside(const QString &path, Arrival arrived, Arrival loaded)
{
    m_reading = true;
    const int load = m_loads;
    auto document = std::make_shared<Document>();
    QThread *reader = QThread::create([path, document] { *document = readFile(path); });
    reader->setParent(this);
    m_readers.push_back(reader);
    connect(reader, &QThread::finished, this, [=, arrived = std::move(arrived), loaded = std::move(loaded)] {
        m_readers.erase(std::find(m_readers.begin(), m_readers.end(), reader));
        reader->deleteLater();
        if (load != m_loads)
            return;
        m_reading = false;
        arrive(std::move(*document), arrived, loaded);
    });
    reader->start();
}

void DocumentLoader::arrive(Document document, const Arrival &arrived, Arrival loaded)
{
    arrived(document.read);
    if (!document.read.failure.isEmpty()) {
        settle();
        return;
    }
    m_sliceTimer->stop();
    m_text = std::move(document.text);
    m_putUpTo = 0;
    m_read = std::move(document.read);
    m_loaded = std::move(loaded);
    m_commands.startLoad(m_text);
    m_texte->document()->setUndoRedoEnabled(false);
    putSlice();
}

void DocumentLoader::putSlice()
{
    QElapsedTimer slice;
    slice.start();
    // The caret stays on the character it was on (at the start, or where a click put it), not pushed
    // along by the text that goes in where it stands.
    QTextCursor caret = m_texte->textCursor();
    const bool collapsed = !caret.hasSelection();
    caret.setKeepPositionOnInsert(true);
    // The first piece comes with the last lines, so that the text never shows its end at its top.
    bool first = m_putUpTo == 0;
    if (first)
        putTail();
    while (m_putUpTo < m_tailFrom && (std::exchange(first, false) || slice.elapsed() < SliceMs)) {
        const qsizetype lineEnd =
            m_text.indexOf(QLatin1Char('\n'), qMin(m_putUpTo + PieceCharacters, m_tailFrom) - 1);
        const qsizetype pieceEnd = lineEnd < 0 ? m_tailFrom : lineEnd + 1;
        m_commands.putLoaded(m_insertion, QStringView(m_text).sliced(m_putUpTo, pieceEnd - m_putUpTo));
        m_putUpTo = pieceEnd;
    }
    caret.setKeepPositionOnInsert(false);
    if (collapsed)
        caret.clearSelection();
    if (caret != m_texte->textCursor())
        m_texte->setTextCursor(caret);
    if (m_putUpTo < m_tailFrom) {
        m_sliceTimer->start();
        return;
    }
    m_text.clear();
    m_putUpTo = -1;
    m_insertion = QTextCursor();
    const bool changedMeanwhile = m_commands.endLoad();
    m_texte->document()->setUndoRedoEnabled(true);
    // What came through the accessibility bus meanwhile is the user's, not the file's.
    m_texte->document()->setModified(changedMeanwhile);
    if (const Arrival loaded = std::exchange(m_loaded, nullptr))
        loaded(m_read);
    settle();
}

void DocumentLoader::putTail()
{
    // The text area works out its scroll range from the lines at the very end of the text, which it
    // lays out again whenever they change: the last lines go in first, and the rest goes in before
    // them, so that they are laid out once and not after every piece. A long line laid out over and
    // over is what costs; short ones cost little either way.
    const int shownLines = m_texte->viewport()->height() / qMax(1, m_texte->fontMetrics().lineSpacing());
    m_tailFrom = m_text.size();
    for (int lines = qMax(TailLines, 2 * shownLines + 2); lines > 0 && m_tailFrom > 0; --lines)
        m_tailFrom = m_text.lastIndexOf(QLatin1Char('\n'), m_tailFrom - 1);
    m_tailFrom = m_tailFrom < 0 ? 0 : m_tailFrom + 1;
    QTextCursor start(m_texte->document());
    m_commands.putLoaded(start, QStringView(m_text).sliced(m_tailFrom));
    m_insertion = QTextCursor(m_texte->document());
}

void DocumentLoader::showBusy(bool busy)
{
    if (busy == m_busyShown)
        return;
    m_busyShown = busy;
    m_texte->setReadOnly(busy);
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void DocumentLoader::settle()
{
    if (!isWhole())
        return;
    showBusy(false);
    // One at a time, and only while the text stays whole: a "Charger..." among them starts a new load,
    // which the rest wait for in turn.
    while (isWhole() && !m_waiting.empty() && !m_running) {
        const std::function<void()> command = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_running = true;
        command();
        m_running = false;
    }
}

bool DocumentLoader::runsAtOnce() const
{
    return isWhole() && (m_waiting.empty() || m_running);
}

void DocumentLoader::whenWhole(std::function<void()> command)
{
    if (runsAtOnce()) {
        command();
        return;
    }
    m_waiting.push_back(std::move(command));
}

bool DocumentLoader::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_texte && (type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::InputMethod)
        && !runsAtOnce() && !movesFocusOut(event)) {
        // Typed into the text while it loads: kept, and typed in its turn at the caret of the whole text.
        std::shared_ptr<QEvent> typed(event->clone());
        m_waiting.push_back([this, typed] { QCoreApplication::sendEvent(m_texte, typed.get()); });
        return true;
    }
    return QObject::eventFilter(watched, event);
}
