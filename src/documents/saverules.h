#pragma once

#include "text/textlook.h"

#include <QString>

#include <variant>

// When "Sauver sous..." and "Sauver" are enabled: the one answer, for every event that moves them.
namespace SaveRules {

enum class Event {
    TextEdited,     // SaveMenuRule: after any edit of the text, or a command that offers to save it
    HeaderOpened,   // a document whose header set the look is now the named document
    Cleared,        // "Initialiser" emptied the text and forgot the document
    Saved,          // "Sauver" wrote the document
};

struct Entries
{
    bool saveAs = false;
    bool save = false;

    bool operator==(const Entries &other) const { return saveAs == other.saveAs && save == other.save; }
};

// documentFileName: the named document, empty when none; lastOpened: the file the open dialog chose last.
Entries entriesAfter(Entries entries, const std::variant<Event, LookChange> &event, const QString &documentFileName,
                     const QString &lastOpened);

} // namespace SaveRules
