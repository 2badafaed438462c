// The Debian package: built with CPack, unpacked into a temporary root, its post-install step run
// there as dpkg would run it on a device.
#include "SettingsTable.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

fs::path build_package() {
    const std::string build = TORTAMOS_BUILD_DIR;
    if (run_command("cmake --build '" + build + "' --target package >/dev/null 2>&1") != 0) return {};
    for (const auto& entry : fs::directory_iterator(build))
        if (entry.path().extension() == ".deb") return entry.path();
    return {};
}

TEST(Package, InstallsEveryPieceAtItsDevicePathAndUpgradesTheSettingsFile) {
    const fs::path package = build_package();
    ASSERT_FALSE(package.empty()) << "no package was built";
    TempDevice device;
    const std::string root = device.root().string();
    ASSERT_EQ(run_command("dpkg-deb -x '" + package.string() + "' '" + root + "'"), 0);

    for (const char* file : {"/Applications/Tortamos.app/Tortamos",
                             "/Applications/Tortamos.app/Info.plist",
                             "/Applications/Tortamos.app/contact.png",
                             "/Applications/Tortamos.app/locale/pt/LC_MESSAGES/Localizable.mo",
                             "/System/Library/CoreServices/SpringBoard.app/SpringBoard",
                             "/System/Library/CoreServices/SpringBoard.app/Info.plist",
                             "/System/Library/CoreServices/SystemVersion",
                             "/System/Library/Frameworks/UIKit.framework/UIKit",
                             "/Library/DynamicLibraries/Tortamos.dylib",
                             "/var/mobile/Library/Tortamos/birthday.wav",
                             "/var/mobile/Library/Tortamos/trick.aif", "/usr/bin/contacts",
                             "/usr/lib/tortamos/libos_uikit.so"})
        EXPECT_TRUE(fs::is_regular_file(device.path(file))) << file;
    EXPECT_FALSE(fs::exists(device.path(kSettingsFile))) << "the package must not ship user data";

    const fs::path control = device.root() / "control";
    ASSERT_EQ(run_command("dpkg-deb -e '" + package.string() + "' '" + control.string() + "'"), 0);
    const std::string postinst = "DEVICE_ROOT='" + root + "' LD_LIBRARY_PATH='" + root +
                                 "/usr/lib/tortamos' sh '" + (control / "postinst").string() +
                                 "' configure";
    ASSERT_EQ(run_command(postinst + " >/dev/null 2>&1"), 0);
    EXPECT_EQ(settings_table(device.path(kSettingsFile)).at(1), "1|0|0|1|1|11|0|0");

    // Upgrading the package keeps what the user chose.
    ASSERT_TRUE(settings_exec(device.path(kSettingsFile), "UPDATE Settings SET iTimerHour=8"));
    ASSERT_EQ(run_command(postinst + " >/dev/null 2>&1"), 0);
    EXPECT_EQ(settings_table(device.path(kSettingsFile)).at(1), "1|0|0|1|1|8|0|0");
}

} // namespace
