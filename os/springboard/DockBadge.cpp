#include "DockBadge.h"

#include "desktop/LauncherCount.h"

#include <charconv>

namespace springboard {

std::optional<long long> dock_count(const std::string& badge)
{
    long long count = 0;
    const char* end = badge.data() + badge.size();
    const auto [stop, error] = std::from_chars(badge.data(), end, count);
    if (badge.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return count;
}

void show_badge_on_dock(const InstalledApplication& application, const std::string& badge)
{
    if (application.desktopEntry.empty())
        return;
    desktop::setLauncherCount(application.desktopEntry, dock_count(badge));
}

} // namespace springboard
