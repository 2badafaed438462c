// SpringBoard, the home screen: loads the device's extensions, then launches itself and shows
// the installed applications. One runs per device; a second start shows the first one's window,
// and `--quit` asks it to end.
//
// On a desktop it may live in the background (`--background`, as the login starts it): no
// window, with or without a tray to wait in. Its reminders never depend on the window: closing
// the window only hides it, and only "Quit Reminders" (the tray's menu, or `--quit`), once the
// user confirms, ends them. The tray item carries the badges, and comes when the desktop has a
// tray, at the start or later. Badges also go to the dock, alerts to the desktop's
// notifications.
#include "ApplicationLauncher.h"
#include "DesktopNotifications.h"
#include "DockBadge.h"
#include "ExtensionLoader.h"
#include "HomeScreen.h"
#include "HomeScreenClasses.h"
#include "HomeScreenTray.h"
#include "OneHomeScreen.h"
#include "QuitReminders.h"
#include "desktop/TrayItem.h"
#include "foundation/Bundle.h"
#include "foundation/CommandLine.h"
#include "foundation/Device.h"
#include "foundation/Journal.h"
#include "foundation/Log.h"
#include "uikit/UIApplication.h"
#include "uikit/UIScreen.h"

#include <cstdio>
#include <memory>
#include <string_view>

namespace {

constexpr const char* kUsage = R"(Usage: SpringBoard [--background | --quit | --help | --version]
The device's home screen: the installed applications with their badges, and the extensions
that remind of birthdays. One runs per device: a second start shows the running one's window.

  --background  start without a window; the reminders run in the background
  --quit        end the reminders until the next login, once confirmed
  --help        show this text
  --version     show the version
)";

void show_window()
{
    os::journal("show com.apple.springboard");
    UIScreen::mainScreen().setWindowVisible(true);
}

void quit_reminders() { springboard::confirm_quitting_reminders(show_window); }

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
        UIScreen::mainScreen().setClosingHidesWindow(true);
        if (desktop::TrayItem::isAvailable()) {
            showTray();
        } else {
            if (background_)
                NSLog("SpringBoard: the desktop has no tray yet; the home screen waits in the "
                      "background and its alerts go to the desktop's notifications");
            desktop::TrayItem::whenAvailable([this] { showTray(); });
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
    void showTray()
    {
        if (tray_)
            return;
        const auto icon = NSBundle::mainBundle().pathForResource("icon.png");
        tray_ = std::make_unique<springboard::HomeScreenTray>(home_, icon ? icon->string() : "",
                                                              show_window, quit_reminders);
    }

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
    const std::string_view option = argc > 1 ? argv[1] : "";
    const bool quit = option == "--quit";
    const auto lock = springboard::become_the_devices_home_screen();
    if (lock.outcome == springboard::HomeScreenLock::kFailed) {
        // Said where the user and the tests look: the login starts it with nobody watching.
        std::fprintf(stderr, "SpringBoard: no home screen, so no reminders: %s\n",
                     lock.problem.c_str());
        os::journal("home screen not started: " + lock.problem);
        return 1;
    }
    if (lock.outcome == springboard::HomeScreenLock::kHeldByAnother) {
        if (quit)
            springboard::ask_the_home_screen_to_quit();
        else
            springboard::ask_the_home_screen_to_show();
        return 0;
    }
    if (quit) {
        std::puts("No home screen runs on this device: its reminders are off already.");
        return 0;
    }
    const bool background = option == "--background";
    UIScreen::mainScreen().setWindowVisible(false);
    if (!background)
        show_window();
    springboard::on_request_to_show(show_window);
    springboard::on_request_to_quit(quit_reminders);

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
