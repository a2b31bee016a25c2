#include "platform/qt/ArrierePlanDemarrage.h"

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

} // namespace platform
