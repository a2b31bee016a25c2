#include "platform/qt/PolicesArrierePlan.h"

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

} // namespace platform
