#pragma once
// Work of the start that other threads do while the interface thread builds the application
// object and the first windows. Call each once, at the very beginning.
#include <thread>

namespace platform {

// The font configuration read on a thread of its own. Reading it (its XML files and its
// caches) takes milliseconds the first time a window needs a font. The font library keeps one
// configuration for the process and takes the first that is ready, so a window that needs it
// sooner reads its own and nothing is lost. The thread is joined when the result goes, or
// earlier by its join(): the process must not end while it reads. Where Qt does not use
// fontconfig, no thread is started.
[[nodiscard]] std::jthread LirePolicesEnArrierePlan();

// Qt's raster engine shares the filling of large areas (a scroll bar's gradient, a picture
// blended onto a window) among the threads of the global pool, which the first such fill
// makes and waits for. Made here, beside the start, they are there for the first paints.
void CreerFilsPeinture();

} // namespace platform
