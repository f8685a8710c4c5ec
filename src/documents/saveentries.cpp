#include "documents/saveentries.h"

#include "documents/documentheader.h"

#include <QAction>

SaveEntries::SaveEntries(QAction *saveAs, QAction *save)
    : m_saveAs(saveAs)
    , m_save(save)
{
    // Nothing to save before the first edit.
    m_saveAs->setEnabled(false);
    m_save->setEnabled(false);
}

void SaveEntries::follow(Event event, const QString &documentFileName, const QString &lastOpened)
{
    // Font, size and direction are recorded only in Tapoli's own documents, so only there is a change of
    // them something to save; and without a document name "Sauver" would have nothing to write to.
    const bool appearanceIsSaved = DocumentHeader::isTapoliDocument(lastOpened) && !documentFileName.isEmpty();
    switch (event) {
    case Event::TextEdited:
        // It never disables anything.
        m_saveAs->setEnabled(true);
        if (!documentFileName.isEmpty())
            m_save->setEnabled(true);
        break;
    case Event::FontOrSizeChanged:
        m_saveAs->setEnabled(true);
        if (appearanceIsSaved)
            m_save->setEnabled(true);
        break;
    case Event::DirectionChanged:
    case Event::HeaderOpened:
        if (appearanceIsSaved)
            m_save->setEnabled(true);
        break;
    case Event::Cleared:
        m_saveAs->setEnabled(false);
        m_save->setEnabled(false);
        break;
    case Event::Saved:
        m_save->setEnabled(false);
        break;
    }
}
