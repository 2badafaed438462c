// SpringBoard, the home screen: loads the device's extensions, then launches itself and shows
// the installed applications. The alerts it shows go to the desktop's notifications too.
#include "ApplicationLauncher.h"
#include "DesktopNotifications.h"
#include "ExtensionLoader.h"
#include "HomeScreen.h"
#include "HomeScreenClasses.h"
#include "foundation/Bundle.h"
#include "foundation/Device.h"
#include "foundation/Journal.h"

#include <uikit/UIApplication.h>

namespace {

// The platform's launch reaches the home screen as the runtime message its extensions may hook.
class Launch : public UIApplicationDelegate {
public:
    explicit Launch(id springboard) : springboard_(springboard) {}
    void applicationDidFinishLaunching(UIApplication*) override {
        // The moment its extensions start their work from: what they do later is timed from here.
        os::journal("launch " + NSBundle::mainBundle().bundleIdentifier());
        objc_msgSend(springboard_, "applicationDidFinishLaunching:", Value());
    }

private:
    id springboard_;
};

} // namespace

int main(int argc, char* argv[]) {
    springboard::HomeScreen home(springboard::installed_applications(os::device_path("/Applications")),
                                 springboard::launch_application);
    id springboard = springboard::define_home_screen_classes(home);
    springboard::send_alerts_to_desktop(home.applications());
    springboard::load_extensions(os::device_path("/Library/DynamicLibraries"));
    return UIApplicationMain(argc, argv, [springboard] { return std::make_unique<Launch>(springboard); });
}
