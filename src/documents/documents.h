#pragma once

#include "documents/documentloader.h"
#include "documents/saveentries.h"
#include "shared/savethroughdialog.h"
#include "text/textfile.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QPlainTextEdit;
class Appearance;
class Prompter;
class TextCommands;
struct FileDialogs;

// "Charger...", "Sauver", "Sauver sous...", "Initialiser" and the exit dialogue's questions about the
// text: the text as a file on disk, with the document header for Tapoli's own type, and never a close
// that drops text the user meant to keep. It owns `DocumentFileName`, the window caption, the encoding
// the document was read in and, through SaveEntries, when the save entries are enabled.
class Documents : public QObject
{
    Q_OBJECT

public:
    Documents(QPlainTextEdit *texte, Appearance &appearance, TextCommands &commands, FileDialogs &dialogs,
              Prompter &prompter, QAction *saveAs, QAction *save, const QStringList &arguments,
              QObject *parent = nullptr);

    // `DocumentFileName`: the open or last saved document, empty when none.
    QString fileName() const { return m_fileName; }
    QString caption() const { return m_caption; }
    TextFile::Encoding encoding() const { return m_encoding; }

    void openDocument();
    SaveOutcome save();
    SaveOutcome saveAs();
    // "Sauver" and "Sauver sous..." from the menu: once a document still loading is whole.
    void saveWhenWhole();
    void saveAsWhenWhole();
    void clear();
    // True when the window may close: the text was saved, or the user chose to let it go.
    bool confirmExit();

signals:
    void captionChanged(const QString &caption);

private:
    QStringList textLines() const;
    void open(const QString &path);
    // A document read: its failure told, or its encoding kept and its header applied.
    void arrived(const DocumentLoader::Read &read);
    // Its whole text in: it is the open document.
    void loaded(const QString &path, const DocumentLoader::Read &read);
    void initialise();
    // The font, size and direction a document's header records, made the text's look.
    void applyHeader(const DocumentHeader::Values &header);
    SaveOutcome write(const QString &path);
    void setCaption(const QString &caption);
    void follow(const std::variant<SaveEntries::Event, LookChange> &event);

    QPlainTextEdit *m_texte;
    Appearance &m_appearance;
    TextCommands &m_commands;
    FileDialogs &m_dialogs;
    Prompter &m_prompter;
    DocumentLoader *m_loader;
    SaveEntries m_saveEntries;
    QString m_argument;
    QString m_fileName;
    // The file named m_fileName as Tapoli last read or wrote it: a "Sauver" over anything else would
    // drop what another program wrote there since.
    TextFile::Stamp m_stamp;
    QString m_caption;
    // Only the first "Charger..." may take the command line's document (`FirstOpenDone`).
    bool m_firstOpenDone = false;
    // A document is written back in the encoding it was read in; new ones in Windows-1252.
    TextFile::Encoding m_encoding = TextFile::Encoding::Windows1252;
};
