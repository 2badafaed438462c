#include "MainWindow.h"

#include "foundation/CommandLine.h"

#include <cstring>

namespace {

constexpr const char* kUsage = R"(Usage: Tortamos [-updateDB | --help | --version]
The birthdays of the device's address book: coming up this year, all by date, all by name.
One runs per device: a second start brings the running one's window to the front.

  -updateDB   bring the settings file up to the current layout, show nothing, and end
  --help      show this text
  --version   show the version
)";

} // namespace

int main(int argc, char** argv)
{
    if (os::answered_help_or_version(argc, argv, kUsage))
        return 0;
    // The package's post-install step: upgrade the settings file, show nothing, always succeed.
    if (argc == 2 && std::strcmp(argv[1], "-updateDB") == 0) {
        TortamoAppDelegate::updateDatabase();
        return 0;
    }
    if (!UIApplicationBecomeTheRunningCopy())
        return 0;
    return UIApplicationMain(argc, argv, [] { return loadMainWindow(); });
}
