#pragma once
// The applications installed on the device: the bundles "NAME.app" in its Applications folder,
// each described by its Info.plist.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace springboard {

struct InstalledApplication {
    std::string identifier; // CFBundleIdentifier
    std::string displayName; // CFBundleDisplayName, else CFBundleName, else NAME; translated
    std::filesystem::path bundle; // the NAME.app folder
    // Files the bundle names are always inside it: a name's folders are ignored.
    std::filesystem::path executable; // CFBundleExecutable, else NAME
    std::filesystem::path icon; // CFBundleIconFile, else icon.png
    std::string desktopEntry; // XDGDesktopEntry: its menu entry on the desktop, else ""
};

// The bundles of the folder in order of their names. A bundle without an Info.plist or without
// an identifier is no application and is left out.
std::vector<InstalledApplication> installed_applications(const std::filesystem::path& folder);

} // namespace springboard
