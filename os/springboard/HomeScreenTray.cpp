#include "HomeScreenTray.h"

#include "ApplicationLauncher.h"
#include "DockBadge.h"
#include "foundation/Bundle.h"

namespace springboard {
namespace {

std::string text(std::string_view english)
{
    return NSBundle::mainBundle().localizedStringForKey(english);
}

std::vector<desktop::TrayMenuItem> menu(const HomeScreen& home, std::function<void()> show,
                                        std::function<void()> quit)
{
    std::vector<desktop::TrayMenuItem> items;
    for (const auto& app : home.applications()) {
        std::string title = text("Open %@");
        if (const size_t at = title.find("%@"); at != std::string::npos)
            title.replace(at, 2, app.displayName);
        items.push_back({title, [app] { launch_application(app); }});
    }
    items.push_back({text("Show Home Screen"), std::move(show)});
    items.push_back({text("Quit Reminders"), std::move(quit)});
    return items;
}

} // namespace

HomeScreenTray::HomeScreenTray(const HomeScreen& home, const std::string& icon,
                               std::function<void()> show, std::function<void()> quit)
    : home_(home), item_(icon, menu(home, show, std::move(quit)), show)
{
    update();
}

void HomeScreenTray::update()
{
    long long total = 0;
    std::string toolTip = NSBundle::mainBundle()
                              .localizedObjectForInfoDictionaryKey("CFBundleDisplayName")
                              .value_or("");
    for (const auto& app : home_.applications()) {
        const std::string badge = home_.badge(app.identifier);
        if (badge.empty())
            continue;
        total += dock_count(badge).value_or(0);
        toolTip += "\n" + app.displayName + ": " + badge;
    }
    item_.setBadge(total > 0 ? std::to_string(total) : "", toolTip);
}

} // namespace springboard
