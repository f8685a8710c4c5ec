#include "documents/saveentries.h"

#include <QAction>

SaveEntries::SaveEntries(QAction *saveAs, QAction *save)
    : m_saveAs(saveAs)
    , m_save(save)
{
    // Nothing to save before the first edit.
    m_saveAs->setEnabled(false);
    m_save->setEnabled(false);
}

void SaveEntries::follow(const std::variant<Event, LookChange> &event, const QString &documentFileName,
                         const QString &lastOpened)
{
    const SaveRules::Entries entries = SaveRules::entriesAfter({m_saveAs->isEnabled(), m_save->isEnabled()}, event,
                                                               documentFileName, lastOpened);
    m_saveAs->setEnabled(entries.saveAs);
    m_save->setEnabled(entries.save);
}
