#include "JsonDump.h"
#include "SettingsTable.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";

int install(const TempDevice& device, const std::string& build = TORTAMOS_BUILD_DIR)
{
    return run_command(kInstall + " --build '" + build + "' '" + device.root().string() + "' 2>&1");
}

std::string read(const fs::path& file)
{
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(InstallDevice, LaysOutTheDeviceAndUpgradesTheSettingsFile)
{
    TempDevice device;
    ASSERT_EQ(install(device), 0);

    const fs::path app = device.path("/Applications/Tortamos.app");
    EXPECT_NE(fs::status(app / "Tortamos").permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_NE(read(app / "Info.plist").find("com.Qarvex.Tortamos"), std::string::npos);
    EXPECT_TRUE(fs::exists(app / "locale/pt/LC_MESSAGES/Localizable.mo"));
    EXPECT_TRUE(fs::exists(device.path(
        "/System/Library/Frameworks/UIKit.framework/locale/pt/LC_MESSAGES/Localizable.mo")));
    const fs::path contacts = device.path("/Applications/Contacts.app");
    EXPECT_NE(fs::status(contacts / "Contacts").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_NE(read(contacts / "Info.plist").find("com.apple.MobileAddressBook"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(contacts / "icon.png"));
    for (const char* folder : {"/var/log", "/var/run", "/var/mobile/Library/Tortamos"})
        EXPECT_TRUE(fs::is_directory(device.path(folder))) << folder;
    EXPECT_EQ(read(device.path("/System/Library/CoreServices/SystemVersion")), "3.1.3\n");
    EXPECT_EQ(settings_table(device.path(kSettingsFile)),
              (std::vector<std::string>{
                  "bBadge|bHideAge|bHideSigno|bPopup|bSound|iTimerHour|iTimerMinute|iStandby",
                  "1|0|0|1|1|11|0|0"}));
}

TEST(InstallDevice, AStaleSettingsFileOfAnInterruptedInstallationIsNoObstacle)
{
    TempDevice device;
    const fs::path stale = device.path(std::string(kSettingsFile) + ".new");
    ASSERT_TRUE(settings_exec(stale, "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
                                     "INSERT INTO Settings VALUES (0, 1);"));
    ASSERT_EQ(install(device), 0);
    EXPECT_EQ(settings_table(device.path(kSettingsFile)).at(1), "1|0|0|1|1|11|0|0");
    EXPECT_FALSE(fs::exists(stale));
}

// An interrupted install leaves "Tortamos.dylib.new", a careful user keeps "Tortamos.dylib.orig":
// the home screen still starts, with the one agent, and shows the icons of both applications.
TEST(InstallDevice, CopiesOfTheAgentBesideItDoNotStopTheHomeScreen)
{
    TempDevice device;
    ASSERT_EQ(install(device), 0);
    const fs::path agent = device.path("/Library/DynamicLibraries/Tortamos.dylib");
    for (const char* copy : {".new", ".orig"})
        fs::copy_file(agent, agent.string() + copy);
    const fs::path script = device.root() / "script", dump = device.root() / "home.json";
    std::ofstream(script) << "wait 300\ndump " << dump.string() << "\nquit\n";
    const std::string home_screen =
        device.path("/System/Library/CoreServices/SpringBoard.app/SpringBoard").string();
    EXPECT_EQ(run_command("QT_QPA_PLATFORM=offscreen UIKIT_AUTOMATION='" + script.string() + "' '" +
                          home_screen + "' >/dev/null 2>&1"),
              0);
    const QJsonObject home = read_dump(dump);
    for (const char* icon : {"Contacts", "Tortamos"})
        EXPECT_EQ(shown_with(home, "text", icon).size(), 1u) << icon;
}

TEST(InstallDevice, InstallingAgainKeepsTheDevicesData)
{
    TempDevice device;
    ASSERT_EQ(install(device), 0);
    ASSERT_TRUE(
        settings_exec(device.path(kSettingsFile), "UPDATE Settings SET bBadge=0, iTimerHour=7"));
    std::ofstream(device.path("/System/Library/CoreServices/SystemVersion")) << "3.0\n";
    std::ofstream(device.path("/Applications/Tortamos.app/left-over")) << "old\n";

    ASSERT_EQ(install(device), 0);
    EXPECT_EQ(settings_table(device.path(kSettingsFile)).at(1), "0|0|0|1|1|7|0|0");
    EXPECT_EQ(read(device.path("/System/Library/CoreServices/SystemVersion")), "3.0\n");
    EXPECT_FALSE(fs::exists(device.path("/Applications/Tortamos.app/left-over")));
}

TEST(InstallDevice, RefusesBadCommandLines)
{
    TempDevice device;
    const std::string quiet = " >/dev/null 2>&1";
    EXPECT_EQ(run_command(kInstall + quiet), 2);
    EXPECT_EQ(run_command(kInstall + " --build" + quiet), 2);
    EXPECT_EQ(run_command(kInstall + " --bogus '" + device.root().string() + "'" + quiet), 2);
    EXPECT_EQ(install(device, device.path("/nothing")), 1);
    EXPECT_FALSE(fs::exists(device.path("/Applications")));
}

} // namespace
