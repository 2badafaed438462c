#include "springboard/SpringBoardServices.h"

#include "runtime/Runtime.h"

#include <unistd.h>

namespace {

bool home_screen_runs_here() { return objc_getClass("SBApplicationController") != nullptr; }

} // namespace

mach_port_t SBSSpringBoardServerPort()
{
    return home_screen_runs_here() ? static_cast<mach_port_t>(getpid()) : 0;
}

int SBSetApplicationBadge(mach_port_t port, const char* displayIdentifier, const char* badge)
{
    if (port == 0 || port != static_cast<mach_port_t>(getpid()) || displayIdentifier == nullptr ||
        badge == nullptr || !home_screen_runs_here())
        return 1;
    id controller =
        objc_msgSend(objc_getClass("SBApplicationController"), "sharedInstance").object();
    id application =
        objc_msgSend(controller, "applicationWithDisplayIdentifier:", displayIdentifier).object();
    if (application == nullptr)
        return 1;
    objc_msgSend(application, "setBadge:", badge);
    return 0;
}
