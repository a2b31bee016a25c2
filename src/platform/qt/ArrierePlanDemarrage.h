#pragma once
// Work of the start that another thread does while the interface thread builds the
// application object and the first windows. Call it once, at the very beginning.
//
// Qt 6.4's raster engine shares large fills among the threads of QThreadPool::globalInstance(),
// which the first such fill makes and waits for. Making them here beforehand showed no gain in
// the start (bench/startup.sh, before and after, on one load), so the first paints make them.
#include <thread>

namespace platform {

// The font configuration read on a thread of its own. Reading it (its XML files and its
// caches) takes milliseconds the first time a window needs a font. The font library keeps one
// configuration for the process and takes the first that is ready, so a window that needs it
// sooner reads its own and nothing is lost. The thread is joined when the result goes, or
// earlier by its join(): the process must not end while it reads. Where Qt does not use
// fontconfig, no thread is started.
[[nodiscard]] std::jthread LirePolicesEnArrierePlan();

} // namespace platform
