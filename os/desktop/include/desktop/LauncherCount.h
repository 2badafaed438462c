#pragma once
// The count a desktop dock shows on a program's launcher icon (KDE Plasma's task manager, Ubuntu
// Dock, Dash to Dock), through the com.canonical.Unity.LauncherEntry signal on the session bus.
#include <optional>
#include <string>

namespace desktop {

// Shows the count on the launcher of the desktop entry ("tortamos" for tortamos.desktop), or
// takes it off for nullopt. No session bus: nothing is sent and nothing fails; never waits. Main
// thread only.
void setLauncherCount(const std::string& desktopEntry, std::optional<long long> count);

} // namespace desktop
