#include "documents/documents.h"

#include "documents/documentheader.h"
#include "shared/filedialogs.h"
#include "shared/filenames.h"
#include "shared/messages.h"
#include "shared/prompter.h"
#include "text/appearance.h"
#include "text/documenttext.h"
#include "text/textcommands.h"

#include <QFileInfo>
#include <QThread>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <memory>

namespace {
// From this size on, a document is read and decoded away from the window, which goes on answering.
constexpr qint64 ReadAsideFrom = 4 * 1024 * 1024;
} // namespace

Documents::Documents(QPlainTextEdit *texte, Appearance &appearance, TextCommands &commands, FileDialogs &dialogs,
                     Prompter &prompter, QAction *saveAs, QAction *save, const QStringList &arguments,
                     QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_appearance(appearance)
    , m_commands(commands)
    , m_dialogs(dialogs)
    , m_prompter(prompter)
    , m_saveEntries(saveAs, save)
    , m_argument(arguments.value(0))
    , m_caption(Messages::captionWithoutFile(Messages::applicationTitle()))
{
    connect(&m_commands, &TextCommands::edited, this, [this] { follow(SaveEntries::Event::TextEdited); });
    connect(&m_appearance, &Appearance::lookChanged, this, [this](const LookChange &change) { follow(change); });
}

void Documents::follow(const std::variant<SaveEntries::Event, LookChange> &event)
{
    m_saveEntries.follow(event, m_fileName, m_dialogs.OpenDialog1.fileName);
}

void Documents::setCaption(const QString &caption)
{
    m_caption = caption;
    emit captionChanged(caption);
}

QStringList Documents::textLines() const
{
    m_commands.finishLoading();
    const QString text = documentText(m_texte->document());
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void Documents::openDocument()
{
    FileDialogState &dialog = m_dialogs.OpenDialog1;
    if (FileNames::isLayoutFile(dialog.fileName))
        dialog.fileName.clear();
    dialog.folder = m_fileName.isEmpty() ? QString() : QFileInfo(m_fileName).path();
    if (m_firstOpenDone) {
        dialog.fileName.clear();
    } else {
        // A folder is no file to open: the user chooses one, starting in that folder.
        const QFileInfo argument(m_argument);
        if (!m_argument.isEmpty() && argument.isDir())
            dialog.folder = argument.absoluteFilePath();
        else if (!m_argument.isEmpty() && argument.exists())
            dialog.fileName = argument.absoluteFilePath();
        m_firstOpenDone = true;
    }
    dialog.filter = Messages::documentFilter();

    if (dialog.fileName.isEmpty())
        dialog.fileName = m_prompter.chooseFileToOpen({dialog.folder, dialog.filter, QString(), false});
    if (dialog.fileName.isEmpty())
        return;
    m_dialogs.SaveDialog1.fileName = dialog.fileName;
    open(dialog.fileName);
}

Documents::Read Documents::read(const QString &path)
{
    Read read;
    TextFile::ReadResult file = TextFile::read(path);
    if (!file.ok) {
        read.failure = QFileInfo(path).size() > TextFile::LargestFile ? Messages::fileTooLarge(TextFile::LargestFile)
                                                                      : Messages::cannotLoad();
        return read;
    }
    read.decoded = TextFile::decodeText(file.bytes);
    read.stamp = file.stamp;
    file = {};
    read.header = DocumentHeader::isTapoliDocument(path) ? DocumentHeader::read(read.decoded.text) : std::nullopt;
    if (read.header)
        read.decoded.text = DocumentHeader::stripped(std::move(read.decoded.text));
    return read;
}

void Documents::open(const QString &path)
{
    ++m_reads;
    const qint64 size = QFileInfo(path).size();
    if (size < ReadAsideFrom || size > TextFile::LargestFile) {
        show(path, read(path));
        return;
    }
    // Whatever needs the text before the reading ends (a key, a save, another document) waits for it.
    const int reading = m_reads;
    auto result = std::make_shared<Read>();
    QThread *thread = QThread::create([path, result] { *result = read(path); });
    thread->setParent(this);
    // Called when the reading has ended: once, by whichever comes first, the thread's end or a wait.
    const auto arrive = [this, thread, path, result, reading, arrived = std::make_shared<bool>(false)] {
        if (std::exchange(*arrived, true))
            return;
        thread->deleteLater();
        if (reading == m_reads)
            show(path, std::move(*result));
    };
    connect(thread, &QThread::finished, this, arrive);
    m_commands.expectLoad([thread, arrive] {
        thread->wait();
        arrive();
    });
    thread->start();
}

void Documents::show(const QString &path, Read read)
{
    if (!read.failure.isEmpty()) {
        m_commands.expectLoad(nullptr);
        m_prompter.tell(read.failure);
        return;
    }
    m_encoding = read.decoded.encoding;
    if (read.header)
        applyHeader(*read.header);
    m_commands.load(read.decoded.text, [this, path, opened = read.header.has_value(), stamp = read.stamp] {
        m_texte->document()->setModified(false);
        m_fileName = path;
        m_stamp = stamp;
        // The header's look offers "Sauver" for a named document, and this one is named only now.
        if (opened)
            follow(SaveEntries::Event::HeaderOpened);
        setCaption(Messages::captionOpened(Messages::applicationTitle(), path));
    });
}

void Documents::applyHeader(const DocumentHeader::Values &header)
{
    QString family = header.fontName;
    if (!m_appearance.hasFont(family)) {
        m_prompter.tell(Messages::fontUnavailable());
        family = m_appearance.firstFont();
    }
    m_appearance.apply({family, DocumentHeader::sizeFrom(header.size), DocumentHeader::directionFrom(header.direction)},
                       LookCause::DocumentHeader);
}

Documents::~Documents()
{
    // A document still being read is let go; its reading ends before the window goes.
    for (QThread *reading : findChildren<QThread *>(Qt::FindDirectChildrenOnly))
        reading->wait();
}

SaveOutcome Documents::save()
{
    // A document still loading is the one to save, under its own name.
    m_commands.finishLoading();
    if (m_fileName.isEmpty())
        return SaveOutcome::Declined;
    if (m_prompter.ask(Prompter::Icon::Question, Messages::saveQuestion(m_fileName), Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return SaveOutcome::Declined;
    // "Sauver sous..." asks before replacing any file; "Sauver" only when the file is not what was read.
    if (TextFile::isChangedSince(m_fileName, m_stamp)
        && m_prompter.ask(Prompter::Icon::Warning, Messages::changedElsewhere(m_fileName), Prompter::Buttons::YesNo)
               != Prompter::Answer::Yes)
        return SaveOutcome::NotSaved;
    const SaveOutcome outcome = write(m_fileName);
    if (outcome == SaveOutcome::Saved) {
        follow(SaveEntries::Event::Saved);
        m_texte->document()->setModified(false);
    }
    return outcome;
}

SaveOutcome Documents::saveAs()
{
    m_commands.finishLoading();
    FileDialogState &dialog = m_dialogs.SaveDialog1;
    dialog.filter = Messages::documentFilter();
    if (FileNames::isLayoutFile(dialog.fileName))
        dialog.fileName.clear();
    return saveThroughDialog(m_prompter, dialog, QStringLiteral("tpo"), [this](const QString &path) {
        const SaveOutcome outcome = write(path);
        if (outcome == SaveOutcome::Saved) {
            m_fileName = path;
            setCaption(Messages::captionSavedAs(Messages::applicationTitle(), path));
            m_texte->document()->setModified(false);
        }
        return outcome;
    });
}

SaveOutcome Documents::write(const QString &path)
{
    QStringList lines = textLines();
    if (DocumentHeader::isTapoliDocument(path))
        lines = DocumentHeader::withHeader(lines, {m_appearance.fontName(), m_appearance.sizeText(),
                                                   QString::number(directionIndex(m_appearance.direction()))});
    // A document keeps the encoding it was read in; the user says whether a text that needs more than
    // Windows-1252 may go to UTF-8.
    const TextFile::Encoded encoded = TextFile::encodeForSaving(lines, m_encoding);
    if (encoded.outsideWindows1252
        && m_prompter.ask(Prompter::Icon::Question, Messages::saveInUtf8Question(), Prompter::Buttons::YesNo)
               != Prompter::Answer::Yes)
        return SaveOutcome::NotSaved;
    TextFile::Stamp written;
    if (!TextFile::writeWhole(path, encoded.bytes, nullptr, &written)) {
        m_prompter.tell(Messages::cannotSave());
        return SaveOutcome::NotSaved;
    }
    m_encoding = encoded.encoding;
    // What Tapoli wrote is what the next "Sauver" may replace without asking.
    m_stamp = written;
    return SaveOutcome::Saved;
}

void Documents::clear()
{
    m_commands.finishLoading();
    if (!m_commands.initialiser(m_fileName))
        return;
    m_fileName.clear();
    setCaption(Messages::captionWithoutFile(Messages::applicationTitle()));
    follow(SaveEntries::Event::Cleared);
    // What comes next is a new text, written in Windows-1252 unless its characters need more.
    m_encoding = TextFile::Encoding::Windows1252;
}

bool Documents::confirmExit()
{
    // A document still loading is on disk as it was: closing loses nothing.
    if (m_commands.isLoading())
        return true;
    if (m_texte->document()->isEmpty() || !m_texte->document()->isModified())
        return true;
    if (!m_fileName.isEmpty())
        return save() != SaveOutcome::NotSaved;

    switch (m_prompter.ask(Prompter::Icon::Question, Messages::saveTextAtExit(), Prompter::Buttons::YesNoCancel)) {
    case Prompter::Answer::Yes:
        return saveAs() == SaveOutcome::Saved;
    case Prompter::Answer::No:
        return true;
    default:
        return false;
    }
}
