#pragma once

#include "documents/saverules.h"

class QAction;

// The two save entries, which follow SaveRules: every event that moves them comes to `follow`.
class SaveEntries
{
public:
    using Event = SaveRules::Event;

    SaveEntries(QAction *saveAs, QAction *save);

    // documentFileName: the named document, empty when none; lastOpened: the file the open dialog chose last.
    void follow(const std::variant<Event, LookChange> &event, const QString &documentFileName,
                const QString &lastOpened);

private:
    QAction *m_saveAs;
    QAction *m_save;
};
