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
#include "text/fontlist.h"
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
    using KeyRules::LayoutEvent;
    connect(&m_page, &KeyboardPage::keyRemapped, this, [this] { follow(LayoutEvent::KeyRemapped); });
    connect(&m_page, &KeyboardPage::keySizeStepped, this, [this] { follow(LayoutEvent::KeySizeStepped); });
    connect(&m_appearance, &Appearance::lookChanged, this, [this](const LookChange &change) { follow(change); });
}

void KeyboardFiles::follow(const std::variant<KeyRules::LayoutEvent, LookChange> &event)
{
    m_modified = KeyRules::keyboardModifiedAfter(m_modified, event);
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
        follow(KeyRules::LayoutEvent::LoadFailed);
        return false;
    }
    const KeyboardLayoutFile::Layout layout = KeyboardLayoutFile::parse(file.bytes);
    // An empty file is no layout: the keys, the text's look and the current layout file all stay.
    if (!layout.fontName) {
        follow(KeyRules::LayoutEvent::LoadFailed);
        return false;
    }

    // A font that is not installed gives way to Arial without a word; where Arial is missing too, the
    // user is told, and the first font stands.
    QString family = *layout.fontName;
    if (!m_appearance.hasFont(family) && !m_appearance.hasFont(arialFamily())) {
        m_prompter.tell(Messages::fontUnavailable());
        family = m_appearance.firstFont();
    }
    m_appearance.apply({family, layout.textSize, layout.direction}, LookCause::LayoutFile);

    // Only the keys are the layout: a line naming any other button changes nothing.
    QHash<QString, KeyButton *> keys;
    for (KeyButton *key : m_page.keys())
        keys.insert(key->objectName(), key);
    for (const KeyboardLayoutFile::KeyCaption &line : layout.keys) {
        if (KeyButton *key = keys.value(line.name))
            key->setCaption(line.caption);
    }

    setFileName(path);
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
        follow(KeyRules::LayoutEvent::Saved);
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
