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
#include <QPlainTextEdit>
#include <QTextDocument>

Documents::Documents(QPlainTextEdit *texte, Appearance &appearance, TextCommands &commands, FileDialogs &dialogs,
                     Prompter &prompter, QAction *saveAs, QAction *save, const QStringList &arguments,
                     QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_appearance(appearance)
    , m_commands(commands)
    , m_dialogs(dialogs)
    , m_prompter(prompter)
    , m_loader(new DocumentLoader(texte, commands, this))
    , m_saveEntries(saveAs, save)
    , m_argument(arguments.value(0))
    , m_caption(Messages::captionWithoutFile(Messages::applicationTitle()))
{
    m_commands.setWholeText(m_loader);
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
    Q_ASSERT(m_loader->isWhole());
    const QString text = documentText(m_texte->document());
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void Documents::openDocument()
{
    // Another document replaces one still loading at once; only what was asked for before waits its turn.
    if (m_loader->hasWaiting()) {
        m_loader->whenWhole([this] { openDocument(); });
        return;
    }
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

void Documents::open(const QString &path)
{
    m_loader->load(
        path, [this](const DocumentLoader::Read &read) { arrived(read); },
        [this, path](const DocumentLoader::Read &read) { loaded(path, read); });
}

void Documents::arrived(const DocumentLoader::Read &read)
{
    if (!read.failure.isEmpty()) {
        m_prompter.tell(read.failure);
        return;
    }
    m_encoding = read.encoding;
    if (read.header)
        applyHeader(*read.header);
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

void Documents::loaded(const QString &path, const DocumentLoader::Read &read)
{
    m_fileName = path;
    m_stamp = read.stamp;
    // The header's look offers "Sauver" for a named document, and this one is named only now.
    if (read.header)
        follow(SaveEntries::Event::HeaderOpened);
    setCaption(Messages::captionOpened(Messages::applicationTitle(), path));
}

void Documents::saveWhenWhole()
{
    // A document still loading is the one to save, under its own name.
    m_loader->whenWhole([this] { save(); });
}

void Documents::saveAsWhenWhole()
{
    m_loader->whenWhole([this] { saveAs(); });
}

SaveOutcome Documents::save()
{
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
    m_loader->whenWhole([this] { initialise(); });
}

void Documents::initialise()
{
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
    if (!m_loader->isWhole())
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
