#include "keyboards/keyboardfiles.h"

#include "app/appstate.h"
#include "keyboards/keyboardlayoutfile.h"
#include "keyboards/keyboardpage.h"
#include "keyboards/keybutton.h"
#include "shared/filenames.h"
#include "shared/messages.h"
#include "shared/prompter.h"
#include "text/appearance.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QPushButton>

namespace {
const QString LayoutExtension = QStringLiteral("cltpo");
}

KeyboardFiles::KeyboardFiles(KeyboardPage &page, Appearance &appearance, AppState &state, Prompter &prompter,
                             const QString &folder, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_appearance(appearance)
    , m_state(state)
    , m_prompter(prompter)
    , m_folder(folder)
{
    connect(m_page.chargeClavier(), &QPushButton::clicked, this, &KeyboardFiles::ChargeClavierClick);
    connect(m_page.sauveClavier(), &QPushButton::clicked, this, &KeyboardFiles::SauveClavierClick);
}

bool KeyboardFiles::load(const QString &path)
{
    const TextFile::ReadResult file = TextFile::read(path);
    if (!file.ok) {
        m_prompter.tell(Messages::keyboardNotFound());
        m_state.KeyboardFileName.clear();
        m_state.KeyboardModified = false;
        return false;
    }
    const KeyboardLayoutFile::Layout layout = KeyboardLayoutFile::parse(file.bytes);
    // An empty file is no layout: the keys, the text's look and the current layout file all stay.
    if (!layout.fontName) {
        m_state.KeyboardModified = false;
        return false;
    }

    m_appearance.selectFont(*layout.fontName);
    m_appearance.policesChange();
    if (!m_appearance.hasFontSelected()) {
        m_prompter.tell(Messages::fontUnavailable());
        m_appearance.selectFirstFont();
    }
    if (layout.direction)
        m_appearance.AlignementClick(*layout.direction);
    m_appearance.setTextSize(layout.textSize.value_or(12));

    // Only the keys are the layout: a line naming any other button changes nothing.
    QHash<QString, KeyButton *> keys;
    for (KeyButton *key : m_page.keys())
        keys.insert(key->objectName(), key);
    for (const KeyboardLayoutFile::KeyCaption &line : layout.keys) {
        if (KeyButton *key = keys.value(line.name))
            key->setCaption(line.caption);
    }

    m_state.KeyboardFileName = path;
    m_state.KeyboardModified = false;
    m_page.nomClavier()->setText(FileNames::bareName(path));
    return true;
}

void KeyboardFiles::ChargeClavierClick()
{
    m_state.OpenDialog1 = {ensuredFolder(), Messages::keyboardFilter(), QString()};
    const QString path = m_prompter.chooseFileToOpen({m_state.OpenDialog1.folder, m_state.OpenDialog1.filter,
                                                      QString(), false});
    if (path.isEmpty())
        return;
    m_state.OpenDialog1.fileName = path;
    load(path);
}

void KeyboardFiles::SauveClavierClick()
{
    if (!m_state.KeyboardModified
        && m_prompter.ask(Prompter::Icon::Question, Messages::keyboardNotModified(), Prompter::Buttons::YesNo)
               != Prompter::Answer::Yes)
        return;

    const QString proposed = m_state.KeyboardFileName.isEmpty()
        ? KeyboardLayoutFile::proposedFileName(m_appearance.fontName(), m_appearance.sizeText())
        : m_state.KeyboardFileName;
    m_state.SaveDialog1 = {ensuredFolder(), Messages::keyboardFilter(), proposed};
    QString path = m_prompter.chooseFileToSave({m_state.SaveDialog1.folder, m_state.SaveDialog1.filter,
                                                proposed, false});
    if (path.isEmpty())
        return;
    path = FileNames::completeExtension(path, LayoutExtension);
    m_state.SaveDialog1.fileName = path;

    if (QFileInfo::exists(path)
        && m_prompter.ask(Prompter::Icon::Warning, Messages::fileExists(QDir::toNativeSeparators(path)),
                          Prompter::Buttons::YesNo)
               != Prompter::Answer::Yes)
        return;

    QList<KeyboardLayoutFile::KeyCaption> keys;
    for (const KeyButton *key : m_page.keys())
        keys.append({key->objectName(), key->text()});
    const QByteArray bytes = KeyboardLayoutFile::write(m_appearance.fontName(), m_appearance.sizeText(),
                                                       m_appearance.direction(), keys);
    if (!TextFile::writeWhole(path, bytes)) {
        m_prompter.tell(Messages::cannotSave());
        return;
    }
    m_state.KeyboardFileName = path;
    m_page.nomClavier()->setText(FileNames::bareName(path));
    m_state.KeyboardModified = false;
}

QString KeyboardFiles::ensuredFolder() const
{
    if (QDir(m_folder).exists() || !QDir().mkpath(m_folder))
        return m_folder;
    // A new folder starts with the layouts that come with the program, so the first "charge..." offers them.
    const QDir shipped(QStringLiteral(":/claviers"));
    const QStringList layouts = shipped.entryList({QStringLiteral("*.cltpo")}, QDir::Files);
    for (const QString &name : layouts) {
        const QString copy = QDir(m_folder).filePath(name);
        if (QFile::copy(shipped.filePath(name), copy))
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return m_folder;
}
