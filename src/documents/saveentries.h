#pragma once

#include <QString>

class QAction;

// When "Sauver sous..." and "Sauver" are enabled: every event that moves them comes to `follow`, which is
// the one answer to that question.
class SaveEntries
{
public:
    enum class Event {
        TextEdited,          // SaveMenuRule: after any edit of the text, or a command that offers to save it
        FontOrSizeChanged,   // the text's font or size changed
        DirectionChanged,    // the input direction changed
        HeaderOpened,        // a document's header set font, size and direction, and the document is named
        Cleared,             // "Initialiser" emptied the text and forgot the document
        Saved,               // "Sauver" wrote the document
    };

    SaveEntries(QAction *saveAs, QAction *save);

    // documentFileName: the named document, empty when none; lastOpened: the file the open dialog chose last.
    void follow(Event event, const QString &documentFileName, const QString &lastOpened);

private:
    QAction *m_saveAs;
    QAction *m_save;
};
