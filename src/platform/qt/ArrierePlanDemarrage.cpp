#include "platform/qt/ArrierePlanDemarrage.h"

#include <QThreadPool>

#if defined(LYRX_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

namespace platform {

std::jthread LirePolicesEnArrierePlan()
{
#if defined(LYRX_FONTCONFIG)
    return std::jthread([] { FcInit(); });
#else
    return {};
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
