#include "keyboards/keyboardfiles.h"

#include "keyboards/keybutton.h"
#include "keyboards/keyboardlayoutfile.h"
#include "keyboards/keyboardpage.h"
#include "shared/filedialogs.h"
#include "shared/filenames.h"
#include "shared/messages.h"
#include "shared/prompter.h"
#include "shared/savethroughdialog.h"
#include "text/appearance.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

KeyboardFiles::KeyboardFiles(KeyboardPage &page, Appearance &appearance, FileDialogs &dialogs, Prompter &prompter,
                             const QString &folder, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_appearance(appearance)
    , m_dialogs(dialogs)
    , m_prompter(prompter)
    , m_folder(folder)
{
    connect(&m_page, &KeyboardPage::loadRequested, this, &KeyboardFiles::chooseAndLoad);
    connect(&m_page, &KeyboardPage::saveRequested, this, &KeyboardFiles::chooseAndSave);
    connect(&m_page, &KeyboardPage::keyRemapped, this, &KeyboardFiles::layoutChanged);
    connect(&m_page, &KeyboardPage::keySizeStepped, this, &KeyboardFiles::layoutChanged);
    connect(&m_appearance, &Appearance::fontChosen, this, &KeyboardFiles::layoutChanged);
    connect(&m_appearance, &Appearance::directionChosen, this, &KeyboardFiles::layoutChanged);
}

bool KeyboardFiles::loadAtStart(const QString &fileName)
{
    setFileName(fileName);
    return !fileName.isEmpty() && QFileInfo::exists(fileName) && load(fileName);
}

bool KeyboardFiles::load(const QString &path)
{
    const TextFile::ReadResult file = TextFile::read(path);
    if (!file.ok) {
        m_prompter.tell(Messages::keyboardNotFound());
        setFileName(QString());
        m_modified = false;
        return false;
    }
    const KeyboardLayoutFile::Layout layout = KeyboardLayoutFile::parse(file.bytes);
    // An empty file is no layout: the keys, the text's look and the current layout file all stay.
    if (!layout.fontName) {
        m_modified = false;
        return false;
    }

    m_appearance.selectFont(*layout.fontName);
    m_appearance.applyFontChoice();
    if (!m_appearance.hasFontSelected()) {
        m_prompter.tell(Messages::fontUnavailable());
        m_appearance.selectFirstFont();
    }
    if (layout.direction)
        m_appearance.chooseDirection(*layout.direction);
    m_appearance.setTextSize(layout.textSize.value_or(12));

    // Only the keys are the layout: a line naming any other button changes nothing.
    QHash<QString, KeyButton *> keys;
    for (KeyButton *key : m_page.keys())
        keys.insert(key->objectName(), key);
    for (const KeyboardLayoutFile::KeyCaption &line : layout.keys) {
        if (KeyButton *key = keys.value(line.name))
            key->setCaption(line.caption);
    }

    setFileName(path);
    m_modified = false;
    m_page.setLayoutName(FileNames::bareName(path));
    return true;
}

void KeyboardFiles::chooseAndLoad()
{
    FileDialogState &dialog = m_dialogs.OpenDialog1;
    dialog = {ensuredFolder(), Messages::keyboardFilter(), QString()};
    const QString path = m_prompter.chooseFileToOpen({dialog.folder, dialog.filter, QString(), false});
    if (path.isEmpty())
        return;
    dialog.fileName = path;
    load(path);
}

void KeyboardFiles::chooseAndSave()
{
    if (!m_modified
        && m_prompter.ask(Prompter::Icon::Question, Messages::keyboardNotModified(), Prompter::Buttons::YesNo)
               != Prompter::Answer::Yes)
        return;

    const QString proposed = m_fileName.isEmpty()
        ? KeyboardLayoutFile::proposedFileName(m_appearance.fontName(), m_appearance.sizeText())
        : m_fileName;
    m_dialogs.SaveDialog1 = {ensuredFolder(), Messages::keyboardFilter(), proposed};
    saveThroughDialog(m_prompter, m_dialogs.SaveDialog1, FileNames::LayoutExtension, [this](const QString &path) {
        QList<KeyboardLayoutFile::KeyCaption> keys;
        for (const KeyButton *key : m_page.keys())
            keys.append({key->objectName(), key->text()});
        const QByteArray bytes = KeyboardLayoutFile::write(m_appearance.fontName(), m_appearance.sizeText(),
                                                           directionIndex(m_appearance.direction()), keys);
        if (!TextFile::writeWhole(path, bytes)) {
            m_prompter.tell(Messages::cannotSave());
            return SaveOutcome::NotSaved;
        }
        setFileName(path);
        m_page.setLayoutName(FileNames::bareName(path));
        m_modified = false;
        return SaveOutcome::Saved;
    });
}

void KeyboardFiles::offerSaveAtExit()
{
    if (m_modified
        && m_prompter.ask(Prompter::Icon::Question, Messages::keyboardModifiedAtExit(), Prompter::Buttons::YesNo)
               == Prompter::Answer::Yes)
        chooseAndSave();
}

void KeyboardFiles::layoutChanged()
{
    m_modified = true;
}

void KeyboardFiles::layoutSettled()
{
    m_modified = false;
}

QString KeyboardFiles::ensuredFolder() const
{
    if (QDir(m_folder).exists() || !QDir().mkpath(m_folder))
        return m_folder;
    // A new folder starts with the layouts that come with the program, so the first "charge..." offers them.
    const QDir shipped(QStringLiteral(":/claviers"));
    const QStringList layouts = shipped.entryList({QStringLiteral("*.") + FileNames::LayoutExtension}, QDir::Files);
    for (const QString &name : layouts) {
        const QString copy = QDir(m_folder).filePath(name);
        if (QFile::copy(shipped.filePath(name), copy))
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return m_folder;
}

void KeyboardFiles::setFileName(const QString &fileName)
{
    m_fileName = fileName;
    emit fileNameChanged(fileName);
}
