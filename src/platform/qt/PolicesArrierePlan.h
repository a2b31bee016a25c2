#pragma once
// The font configuration read beside the start. Reading it (its XML files and its caches)
// takes milliseconds the first time a window needs a font; a thread started at the very
// beginning does it while the application object and the first windows are built. The font
// library keeps one configuration for the process and takes the first that is ready, so a
// window that needs it sooner reads its own and nothing is lost.

namespace platform {

// Starts the reading on a thread of its own; does nothing where Qt does not use fontconfig.
// Call once, before the application object.
void LirePolicesEnArrierePlan();

} // namespace platform
