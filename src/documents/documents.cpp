#include "documents/documents.h"

#include "app/appstate.h"
#include "documents/documentheader.h"
#include "keyboards/keyboardfiles.h"
#include "keyboards/keyboardlayoutfile.h"
#include "shared/filenames.h"
#include "shared/messages.h"
#include "shared/prompter.h"
#include "text/appearance.h"
#include "text/documenttext.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {
constexpr qint64 LargestDocument = 64 * 1024 * 1024;
}

Documents::Documents(QPlainTextEdit *texte, QWidget *window, Appearance &appearance, KeyboardFiles &keyboardFiles,
                     AppState &state, Prompter &prompter, Entries entries, const QStringList &arguments,
                     QObject *parent)
    : QObject(parent)
    , m_texte(texte)
    , m_window(window)
    , m_appearance(appearance)
    , m_keyboardFiles(keyboardFiles)
    , m_state(state)
    , m_prompter(prompter)
    , m_entries(entries)
    , m_argument(arguments.value(0))
{
}

QStringList Documents::textLines() const
{
    const QString text = documentText(m_texte->document());
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void Documents::setTextLines(const QStringList &lines)
{
    m_texte->setPlainText(lines.join(QLatin1Char('\n')));
    m_texte->document()->setModified(false);
}

void Documents::Charger()
{
    FileDialogState &dialog = m_state.OpenDialog1;
    if (dialog.fileName.contains(QLatin1String(".cltpo")))
        dialog.fileName.clear();
    dialog.folder = m_state.DocumentFileName.isEmpty() ? QString() : QFileInfo(m_state.DocumentFileName).path();
    if (m_state.FirstOpenDone) {
        dialog.fileName.clear();
    } else {
        // A folder is no file to open: the user chooses one, starting in that folder.
        const QFileInfo argument(m_argument);
        if (!m_argument.isEmpty() && argument.isDir())
            dialog.folder = argument.absoluteFilePath();
        else if (!m_argument.isEmpty() && argument.exists())
            dialog.fileName = argument.absoluteFilePath();
        m_state.FirstOpenDone = true;
    }
    dialog.filter = Messages::documentFilter();

    if (dialog.fileName.isEmpty())
        dialog.fileName = m_prompter.chooseFileToOpen({dialog.folder, dialog.filter, QString(), false});
    if (dialog.fileName.isEmpty())
        return;
    m_state.SaveDialog1.fileName = dialog.fileName;
    open(dialog.fileName);
}

bool Documents::open(const QString &path)
{
    const TextFile::ReadResult file = TextFile::read(path, LargestDocument);
    if (!file.ok) {
        m_prompter.tell(QFileInfo(path).size() > LargestDocument ? Messages::fileTooLarge() : Messages::cannotLoad());
        return false;
    }
    const TextFile::Decoded decoded = TextFile::decodeLines(file.bytes);
    m_encoding = decoded.encoding;

    const std::optional<DocumentHeader::Values> header =
        DocumentHeader::isTapoliDocument(path) ? DocumentHeader::read(decoded.lines) : std::nullopt;
    if (header) {
        m_appearance.selectFont(header->fontName);
        if (!m_appearance.hasFontSelected()) {
            m_prompter.tell(Messages::fontUnavailable());
            m_appearance.selectFirstFont();
        }
        m_appearance.policesChange();
        m_appearance.setTextSize(DocumentHeader::sizeFrom(header->size));
        m_appearance.AlignementClick(DocumentHeader::directionFrom(header->direction));
        setTextLines(DocumentHeader::stripped(decoded.lines));
        m_state.KeyboardModified = false;
    } else {
        setTextLines(decoded.lines);
    }
    m_state.DocumentFileName = path;
    // The header's font and direction enable "Sauver" only for a named document, and this one was
    // not named yet when they applied.
    if (header)
        m_appearance.enableSaveForTapoliDocument();
    m_window->setWindowTitle(Messages::captionOpened(m_state.AppTitle, path));
    return true;
}

Documents::Outcome Documents::Sauver()
{
    if (m_state.DocumentFileName.isEmpty())
        return Outcome::Declined;
    if (m_prompter.ask(Prompter::Icon::Question, Messages::saveQuestion(m_state.DocumentFileName),
                       Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return Outcome::Declined;
    const Outcome outcome = write(m_state.DocumentFileName);
    if (outcome == Outcome::Saved) {
        m_entries.save->setEnabled(false);
        m_texte->document()->setModified(false);
    }
    return outcome;
}

Documents::Outcome Documents::SauverSous()
{
    FileDialogState &dialog = m_state.SaveDialog1;
    dialog.filter = Messages::documentFilter();
    // The save dialog is shared with keyboard layouts; a layout's name is no name for a text.
    if (dialog.fileName.endsWith(QLatin1String(".cltpo"), Qt::CaseInsensitive))
        dialog.fileName.clear();
    QString path = m_prompter.chooseFileToSave({dialog.folder, dialog.filter, dialog.fileName, false});
    if (path.isEmpty())
        return Outcome::Declined;
    path = FileNames::completeExtension(path, QStringLiteral("tpo"));
    dialog.fileName = path;
    dialog.folder = QFileInfo(path).path();

    // The dialog does not ask, since the extension may still change the name: ask here, once.
    if (QFileInfo::exists(path)
        && m_prompter.ask(Prompter::Icon::Warning, Messages::fileExists(QDir::toNativeSeparators(path)),
                          Prompter::Buttons::YesNo)
               != Prompter::Answer::Yes)
        return Outcome::NotSaved;

    const Outcome outcome = write(path);
    if (outcome != Outcome::Saved)
        return outcome;
    m_state.DocumentFileName = path;
    m_window->setWindowTitle(Messages::captionSavedAs(m_state.AppTitle, path));
    m_texte->document()->setModified(false);
    return outcome;
}

Documents::Outcome Documents::write(const QString &path)
{
    QStringList lines = textLines();
    if (DocumentHeader::isTapoliDocument(path))
        lines = DocumentHeader::withHeader(lines, {m_appearance.fontName(), m_appearance.sizeText(),
                                                   QString::number(m_appearance.direction())});
    TextFile::Encoding encoding = m_encoding;
    bool lossless = true;
    QByteArray bytes = TextFile::encodeLines(lines, encoding, &lossless);
    if (!lossless && encoding == TextFile::Encoding::Windows1252) {
        if (m_prompter.ask(Prompter::Icon::Question, Messages::saveInUtf8Question(), Prompter::Buttons::YesNo)
            != Prompter::Answer::Yes)
            return Outcome::NotSaved;
        encoding = TextFile::Encoding::Utf8WithBom;
        bytes = TextFile::encodeLines(lines, encoding);
    } else if (encoding == TextFile::Encoding::Windows1252 && !TextFile::readsBackAsWindows1252(bytes)) {
        // Nothing is lost either way; only the mark makes the file read back as it was written.
        encoding = TextFile::Encoding::Utf8WithBom;
        bytes = TextFile::encodeLines(lines, encoding);
    }
    if (!TextFile::writeWhole(path, bytes)) {
        m_prompter.tell(Messages::cannotSave());
        return Outcome::NotSaved;
    }
    m_encoding = encoding;
    return Outcome::Saved;
}

bool Documents::confirmExit()
{
    if (m_state.KeyboardModified
        && m_prompter.ask(Prompter::Icon::Question, Messages::keyboardModifiedAtExit(), Prompter::Buttons::YesNo)
               == Prompter::Answer::Yes)
        m_keyboardFiles.SauveClavierClick();

    if (m_texte->document()->isEmpty() || !m_texte->document()->isModified())
        return true;
    if (!m_state.DocumentFileName.isEmpty())
        return Sauver() != Outcome::NotSaved;

    switch (m_prompter.ask(Prompter::Icon::Question, Messages::saveTextAtExit(), Prompter::Buttons::YesNoCancel)) {
    case Prompter::Answer::Yes:
        return SauverSous() == Outcome::Saved;
    case Prompter::Answer::No:
        return true;
    default:
        return false;
    }
}
