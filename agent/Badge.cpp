#include "AgentEnvironment.h"
#include "DailyCheck.h"
#include "foundation/Device.h"
#include "runtime/Runtime.h"
#include "springboard/SpringBoardServices.h"

#include <dlfcn.h>

namespace {

void badge_through_services_library(const char* displayIdentifier, const char* text)
{
    void* library = dlopen(os::device_path(kSpringBoardServicesLibrary).c_str(), RTLD_LAZY);
    if (library == nullptr)
        return;
    const auto set_badge =
        reinterpret_cast<SBSetApplicationBadgeFunction>(dlsym(library, "SBSetApplicationBadge"));
    const auto server_port = reinterpret_cast<SBSSpringBoardServerPortFunction>(
        dlsym(library, "SBSSpringBoardServerPort"));
    if (set_badge != nullptr && server_port != nullptr)
        set_badge(server_port(), displayIdentifier, text);
    dlclose(library);
}

void badge_through_icon_classes(const char* displayIdentifier, const char* text)
{
    id controller =
        objc_msgSend(objc_getClass("SBApplicationController"), "sharedInstance").object();
    id application =
        objc_msgSend(controller, "applicationWithDisplayIdentifier:", displayIdentifier).object();
    id icon = objc_msgSend(objc_getClass("SBApplicationIcon"), "alloc").object();
    icon = objc_msgSend(icon, "initWithApplication:", application).object();
    objc_msgSend(icon, "setBadge:", text);
    objc_release(icon);
    id model = objc_msgSend(objc_getClass("SBIconModel"), "sharedInstance").object();
    objc_msgSend(model, "noteIconStateChangedExternally");
}

} // namespace

void badge(const char* displayIdentifier, const char* text)
{
    const auto& version_of = agent::environment().systemVersion;
    const std::string version = version_of ? version_of() : std::string();
    const char first = version.empty() ? '\0' : version.front();
    if (first == '1' || first == '2')
        badge_through_services_library(displayIdentifier, text);
    else
        badge_through_icon_classes(displayIdentifier, text);
}
