#pragma once
// A program's item in the desktop's tray (a StatusNotifierItem where the desktop hosts them, an
// XEmbed tray icon elsewhere): its icon with a count drawn on it, a tooltip and a menu.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace desktop {

struct TrayMenuItem {
    std::string title;
    std::function<void()> action;
};

class TrayItem {
public:
    // Whether the desktop has a tray to show items in now: a StatusNotifierItem host, or an X11
    // system tray. Once the application exists. Asks the desktop with a short time limit, so a
    // tray service that never answers counts as none rather than holding the program up.
    static bool isAvailable();
    // Calls `appeared` once, on the main thread, when a StatusNotifierItem host comes up later (a
    // panel started or restarted after login). Needs the session bus; without one, never.
    static void whenAvailable(std::function<void()> appeared);

    // The icon is an image file; `activated` is a click on the item. Shown at once.
    TrayItem(const std::string& iconFile, std::vector<TrayMenuItem> menu,
             std::function<void()> activated);
    ~TrayItem();
    TrayItem(const TrayItem&) = delete;
    TrayItem& operator=(const TrayItem&) = delete;

    // The text drawn in a red disc on the icon ("" for none) and the tooltip.
    void setBadge(const std::string& text, const std::string& toolTip);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace desktop
