// One running copy of an application per device: the toolkit's side of the foundation's
// hand-over socket, named by the bundle identifier.
#include "Screen.h"
#include "foundation/Bundle.h"
#include "foundation/Journal.h"
#include "foundation/OneRunningCopy.h"
#include "uikit/UIApplication.h"

namespace {

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

void UIApplicationListenForHandOvers()
{
    const std::string identifier = NSBundle::mainBundle().bundleIdentifier();
    if (identifier.empty())
        return;
    os::listen_for_hand_overs(identifier, [identifier](std::vector<std::string> request) {
        handedOver(identifier, request);
    });
}
