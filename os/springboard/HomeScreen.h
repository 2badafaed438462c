#pragma once
// The home screen: the installed applications' icons on a 320 x 480 screen, four to a row, each
// with its badge. Badges may be set before the screen is shown; it shows them when it comes up.
// Main thread only.
#include "InstalledApplications.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class UIWindow;

namespace springboard {

class IconView;

class HomeScreen {
public:
    using Launcher = std::function<void(const InstalledApplication&)>;

    HomeScreen(std::vector<InstalledApplication> applications, Launcher launcher);
    ~HomeScreen();

    const std::vector<InstalledApplication>& applications() const { return applications_; }
    const InstalledApplication* application(const std::string& identifier) const;

    // Keeps the badge text of an installed application ("" removes the badge), writes the journal
    // line `badge ID "TEXT"`, shows it on the icon and tells the badge observer. False, with
    // nothing done, for an identifier that is not installed.
    bool setBadge(const std::string& identifier, const std::string& text);
    // Told of every badge set, so the desktop can show it too (the tray, the dock).
    using BadgeObserver = std::function<void(const InstalledApplication&, const std::string& text)>;
    void setBadgeObserver(BadgeObserver observer) { badgeObserver_ = std::move(observer); }
    std::string badge(const std::string& identifier) const;

    // Builds the screen of icons and puts it on the display.
    void show();
    // Shows every application's badge on its icon again.
    void redrawIcons();

    const std::vector<std::shared_ptr<IconView>>& icons() const { return icons_; }

private:
    std::vector<InstalledApplication> applications_;
    Launcher launcher_;
    BadgeObserver badgeObserver_;
    std::map<std::string, std::string> badges_;
    std::shared_ptr<UIWindow> window_;
    std::vector<std::shared_ptr<IconView>> icons_;
};

} // namespace springboard
