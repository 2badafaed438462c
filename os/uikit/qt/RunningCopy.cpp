// One running copy of an application per device: the toolkit's side of the foundation's lock
// and hand-over socket, named by the bundle identifier.
#include "Screen.h"
#include "uikit/UIApplication.h"

#include "foundation/Bundle.h"
#include "foundation/Journal.h"
#include "foundation/Log.h"
#include "foundation/OneRunningCopy.h"

namespace {

// Long enough for a copy that has just taken the lock to start listening, even on a loaded
// machine; a copy that says nothing for this long is hung.
constexpr std::chrono::seconds kHandOverPatience{10};

void handedOver(const std::string& identifier, const std::vector<std::string>& files)
{
    uikit::Screen::shared().setWindowVisible(true);
    os::journal("handover " + identifier);
    UIApplication* application = UIApplication::sharedApplication();
    UIApplicationDelegate* delegate = application->delegate();
    if (!delegate)
        return;
    for (const std::string& file : files)
        delegate->application_openFile(application, file);
    delegate->applicationDidBecomeActive(application);
}

} // namespace

bool UIApplicationBecomeTheRunningCopy(const std::vector<std::filesystem::path>& files)
{
    const std::string identifier = NSBundle::mainBundle().bundleIdentifier();
    if (identifier.empty())
        return true;
    switch (os::claim_running_copy(identifier)) {
    case os::RunningCopy::ThisProcess:
        os::listen_for_hand_overs(identifier, [identifier](std::vector<std::string> request) {
            handedOver(identifier, request);
        });
        return true;
    case os::RunningCopy::Unavailable: return true;
    case os::RunningCopy::Another: break;
    }
    std::vector<std::string> request;
    for (const auto& file : files)
        request.push_back(file.string());
    if (os::hand_over(identifier, request, kHandOverPatience))
        return false;
    NSLog("%s: the running copy on this device does not answer; starting another",
          identifier.c_str());
    return true;
}
