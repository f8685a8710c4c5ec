#pragma once

#include "keyboards/keyrules.h"

#include <QObject>
#include <QString>

class Appearance;
class KeyboardPage;
class Prompter;
struct FileDialogs;

// "charge..." and "sauve...": keyboard layout files read into, and written from, the keys' captions
// together with the text's font, size and direction. It owns `KeyboardFileName` and `KeyboardModified`:
// the keys and the appearance say what happened and why, KeyRules decides, and the exit dialogue asks.
class KeyboardFiles : public QObject
{
    Q_OBJECT

public:
    KeyboardFiles(KeyboardPage &page, Appearance &appearance, FileDialogs &dialogs, Prompter &prompter,
                  const QString &folder, QObject *parent = nullptr);

    // The user's own keyboard folder, where the dialogs start.
    QString folder() const { return m_folder; }
    // `KeyboardFileName`: the current layout file, empty when none.
    QString fileName() const { return m_fileName; }
    // `KeyboardModified`: the keys, the text's font or its direction changed since the last load or save.
    bool isModified() const { return m_modified; }

    // Start-up: the layout the settings name, loaded when the file is there. The name stays, to be
    // written back at exit, even when it was not loaded; false then.
    bool loadAtStart(const QString &fileName);
    bool load(const QString &path);
    void chooseAndLoad();
    void chooseAndSave();
    // The exit dialogue's first question, asked only when the layout changed.
    void offerSaveAtExit();

signals:
    // `KeyboardFileName` was set: a layout loaded or saved, or a load that failed cleared it.
    void fileNameChanged(const QString &fileName);

private:
    QString ensuredFolder() const;
    void setFileName(const QString &fileName);
    void follow(const std::variant<KeyRules::LayoutEvent, LookChange> &event);

    KeyboardPage &m_page;
    Appearance &m_appearance;
    FileDialogs &m_dialogs;
    Prompter &m_prompter;
    QString m_folder;
    QString m_fileName;
    bool m_modified = false;
};
