#pragma once

#include <QObject>
#include <QString>

class Appearance;
class KeyboardPage;
class Prompter;
struct AppState;

// "charge..." and "sauve...": keyboard layout files read into, and written from, the keys' captions
// together with the text's font, size and direction.
class KeyboardFiles : public QObject
{
    Q_OBJECT

public:
    KeyboardFiles(KeyboardPage &page, Appearance &appearance, AppState &state, Prompter &prompter,
                  const QString &folder, QObject *parent = nullptr);

    // The user's own keyboard folder, where the dialogs start.
    QString folder() const { return m_folder; }

    bool load(const QString &path);
    void ChargeClavierClick();
    void SauveClavierClick();

private:
    QString ensuredFolder() const;

    KeyboardPage &m_page;
    Appearance &m_appearance;
    AppState &m_state;
    Prompter &m_prompter;
    QString m_folder;
};
