#pragma once

// Qt's own captions (the dialogs' buttons and titles, the text area's context menu) in French whatever
// the desktop's language. The translation is read the first time it is needed, or just after the
// window's first paint: on the first start after boot, reading it would delay the window.
namespace QtFrench {

void install();

} // namespace QtFrench
