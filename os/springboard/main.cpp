// SpringBoard, the home screen: loads the device's extensions, then launches itself and shows
// the installed applications. One runs per device; a second start shows the first one's window.
//
// On a desktop it may live in the background (`--background`, as the login starts it): no
// window, an item in the tray that carries the badges, and closing the window only hides it.
// Badges also go to the dock, alerts to the desktop's notifications.
#include "ApplicationLauncher.h"
#include "DesktopNotifications.h"
#include "DockBadge.h"
#include "ExtensionLoader.h"
#include "HomeScreen.h"
#include "HomeScreenClasses.h"
#include "HomeScreenTray.h"
#include "OneHomeScreen.h"
#include "foundation/Bundle.h"
#include "foundation/CommandLine.h"
#include "foundation/Device.h"
#include "foundation/Journal.h"
#include "foundation/Log.h"

#include <uikit/UIApplication.h>
#include <uikit/UIScreen.h>
#include <uikit/UITrayItem.h>

#include <memory>
#include <string_view>

namespace {

constexpr const char* kUsage = R"(Usage: SpringBoard [--background | --help | --version]
The device's home screen: the installed applications with their badges, and the extensions
that remind of birthdays. One runs per device: a second start shows the running one's window.

  --background  start without a window, waiting in the desktop's tray
  --help        show this text
  --version     show the version
)";

void show_window() { UIScreen::mainScreen().setWindowVisible(true); }

// The platform's launch reaches the home screen as the runtime message its extensions may hook.
class Launch : public UIApplicationDelegate {
public:
    Launch(springboard::HomeScreen& home, id springboard, bool background)
        : home_(home), springboard_(springboard), background_(background)
    {
    }

    void applicationDidFinishLaunching(UIApplication*) override
    {
        // The moment its extensions start their work from: what they do later is timed from here.
        os::journal("launch " + NSBundle::mainBundle().bundleIdentifier());
        if (uikit::TrayItem::isAvailable()) {
            const auto icon = NSBundle::mainBundle().pathForResource("icon.png");
            tray_ = std::make_unique<springboard::HomeScreenTray>(home_, icon ? icon->string() : "",
                                                                  show_window);
            UIScreen::mainScreen().setClosingHidesWindow(true);
        } else if (background_) {
            NSLog("SpringBoard: the desktop has no tray to wait in, so the home screen shows its "
                  "window");
            show_window();
        }
        home_.setBadgeObserver(
            [this](const springboard::InstalledApplication& app, const std::string& badge) {
                springboard::show_badge_on_dock(app, badge);
                if (tray_)
                    tray_->update();
            });
        objc_msgSend(springboard_, "applicationDidFinishLaunching:", Value());
    }

private:
    springboard::HomeScreen& home_;
    id springboard_;
    bool background_;
    std::unique_ptr<springboard::HomeScreenTray> tray_;
};

} // namespace

int main(int argc, char* argv[])
{
    if (os::answered_help_or_version(argc, argv, kUsage))
        return 0;
    if (!springboard::become_the_devices_home_screen()) {
        springboard::ask_the_home_screen_to_show();
        return 0;
    }
    const bool background = argc > 1 && std::string_view(argv[1]) == "--background";
    UIScreen::mainScreen().setWindowVisible(!background);
    springboard::on_request_to_show(show_window);

    springboard::HomeScreen home(
        springboard::installed_applications(os::device_path("/Applications")),
        springboard::launch_application);
    id springboard = springboard::define_home_screen_classes(home);
    springboard::send_alerts_to_desktop(home);
    springboard::load_extensions(os::device_path("/Library/DynamicLibraries"));
    return UIApplicationMain(argc, argv, [&home, springboard, background] {
        return std::make_unique<Launch>(home, springboard, background);
    });
}
