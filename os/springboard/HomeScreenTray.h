#pragma once
// The home screen's item in the desktop's tray while it runs in the background: its icon with
// the sum of the applications' badges, and a menu to open each application, show the home
// screen or quit. Main thread only, once the application exists.
#include "HomeScreen.h"
#include "desktop/TrayItem.h"

#include <functional>
#include <string>

namespace springboard {

class HomeScreenTray {
public:
    // The icon is an image file; `show` brings the home screen's window up, `quit` is the menu's
    // "Quit Reminders".
    HomeScreenTray(const HomeScreen& home, const std::string& icon, std::function<void()> show,
                   std::function<void()> quit);

    // Shows the badges the home screen holds now.
    void update();

private:
    const HomeScreen& home_;
    desktop::TrayItem item_;
};

} // namespace springboard
