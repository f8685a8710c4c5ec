#include "documents/saverules.h"

#include "documents/documentheader.h"

namespace SaveRules {

namespace {

Entries afterLookChange(Entries entries, const LookChange &change, bool appearanceIsSaved)
{
    // A direction the user chose offers only "Sauver"; any other look change is a font choice's, which
    // offers "Sauver sous..." too.
    const bool directionAlone = change.cause == LookCause::User && !change.look.family && !change.look.size;
    if (!directionAlone)
        entries.saveAs = true;
    // A header's look belongs to a document not yet named when it applies: HeaderOpened follows.
    if (change.cause != LookCause::DocumentHeader && appearanceIsSaved)
        entries.save = true;
    return entries;
}

} // namespace

Entries entriesAfter(Entries entries, const std::variant<Event, LookChange> &event, const QString &documentFileName,
                     const QString &lastOpened)
{
    // Font, size and direction are recorded only in Tapoli's own documents, so only there is a change of
    // them something to save; and without a document name "Sauver" would have nothing to write to.
    const bool appearanceIsSaved = DocumentHeader::isTapoliDocument(lastOpened) && !documentFileName.isEmpty();
    if (const auto *change = std::get_if<LookChange>(&event))
        return afterLookChange(entries, *change, appearanceIsSaved);
    switch (std::get<Event>(event)) {
    case Event::TextEdited:
        // It never disables anything.
        entries.saveAs = true;
        entries.save = entries.save || !documentFileName.isEmpty();
        break;
    case Event::HeaderOpened:
        entries.save = entries.save || appearanceIsSaved;
        break;
    case Event::Cleared:
        entries = {};
        break;
    case Event::Saved:
        entries.save = false;
        break;
    }
    return entries;
}

} // namespace SaveRules
