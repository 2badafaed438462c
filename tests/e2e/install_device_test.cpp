#include "TempDevice.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";
constexpr const char* kSettingsFile = "/var/mobile/Library/Tortamos/birthdays.sql";

int install(const TempDevice& device) {
    return run_command(kInstall + " --build '" TORTAMOS_BUILD_DIR "' '" + device.root().string() +
                       "' 2>&1");
}

std::string read(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The settings row, column name to value.
std::map<std::string, int> settings_row(const TempDevice& device) {
    std::map<std::string, int> row;
    sqlite3* db = nullptr;
    sqlite3_open_v2(device.path(kSettingsFile).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT * FROM Settings", -1, &s, nullptr) == SQLITE_OK)
        while (sqlite3_step(s) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                row[sqlite3_column_name(s, c)] = sqlite3_column_int(s, c);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return row;
}

void execute(const TempDevice& device, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(device.path(kSettingsFile).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

TEST(InstallDevice, LaysOutTheDeviceAndUpgradesTheSettingsFile) {
    TempDevice device;
    ASSERT_EQ(install(device), 0);

    const fs::path app = device.path("/Applications/Tortamos.app");
    EXPECT_TRUE(fs::is_regular_file(app / "Tortamos"));
    EXPECT_NE(fs::status(app / "Tortamos").permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_NE(read(app / "Info.plist").find("com.Qarvex.Tortamos"), std::string::npos);
    EXPECT_TRUE(fs::exists(app / "locale/pt/LC_MESSAGES/Localizable.mo"));
    for (const char* folder : {"/var/log", "/var/run", "/var/mobile/Library/Tortamos"})
        EXPECT_TRUE(fs::is_directory(device.path(folder))) << folder;
    EXPECT_EQ(read(device.path("/System/Library/CoreServices/SystemVersion")), "3.1.3\n");

    const std::map<std::string, int> expected = {
        {"bBadge", 1},     {"bHideAge", 0}, {"bHideSigno", 0},   {"bPopup", 1},
        {"bSound", 1},     {"iTimerHour", 11}, {"iTimerMinute", 0}, {"iStandby", 0}};
    EXPECT_EQ(settings_row(device), expected);
}

TEST(InstallDevice, InstallingAgainKeepsTheDevicesData) {
    TempDevice device;
    ASSERT_EQ(install(device), 0);
    execute(device, "UPDATE Settings SET bBadge=0, iTimerHour=7, iTimerMinute=45");
    std::ofstream(device.path("/System/Library/CoreServices/SystemVersion")) << "3.0\n";
    std::ofstream(device.path("/Applications/Tortamos.app/left-over")) << "old\n";

    ASSERT_EQ(install(device), 0);
    const auto row = settings_row(device);
    EXPECT_EQ(row.at("bBadge"), 0);
    EXPECT_EQ(row.at("iTimerHour"), 7);
    EXPECT_EQ(row.at("iTimerMinute"), 45);
    EXPECT_EQ(read(device.path("/System/Library/CoreServices/SystemVersion")), "3.0\n");
    EXPECT_FALSE(fs::exists(device.path("/Applications/Tortamos.app/left-over")));
}

TEST(InstallDevice, RefusesBadCommandLines) {
    TempDevice device;
    EXPECT_EQ(run_command(kInstall + " >/dev/null 2>&1"), 2);
    EXPECT_EQ(run_command(kInstall + " --build >/dev/null 2>&1"), 2);
    EXPECT_EQ(run_command(kInstall + " --bogus '" + device.root().string() + "' >/dev/null 2>&1"), 2);
    EXPECT_EQ(run_command(kInstall + " --build '" + device.path("/nothing").string() + "' '" +
                          device.root().string() + "' >/dev/null 2>&1"),
              1);
    EXPECT_FALSE(fs::exists(device.path("/Applications")));
}

} // namespace
