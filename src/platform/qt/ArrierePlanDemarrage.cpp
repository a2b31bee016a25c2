#include "platform/qt/ArrierePlanDemarrage.h"

#include <QThreadPool>

#if defined(LYRX_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#include <thread>
#endif

namespace platform {

void LirePolicesEnArrierePlan()
{
#if defined(LYRX_FONTCONFIG)
    // Detached: nothing waits for it, and the process may end before it does.
    std::thread([] { FcInit(); }).detach();
#endif
}

void CreerFilsPeinture()
{
    QThreadPool* fils = QThreadPool::globalInstance();
    // An empty task started while the threads made before are still starting takes a new one.
    for (int i = 0; i < fils->maxThreadCount(); ++i)
        fils->start([] {});
}

} // namespace platform
