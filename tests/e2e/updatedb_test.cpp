#include "TempDevice.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string kTortamos = std::string(TORTAMOS_APP_DIR) + "/Tortamos";
constexpr const char* kSettingsFile = "/var/mobile/Library/Tortamos/birthdays.sql";

int column_count(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    int count = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA table_info(Settings)", -1, &statement, nullptr) == SQLITE_OK)
        while (sqlite3_step(statement) == SQLITE_ROW) ++count;
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return count;
}

void install_older_settings(const TempDevice& device) {
    const auto file = device.path(kSettingsFile);
    std::filesystem::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
                               "INSERT INTO Settings VALUES (1, 0);", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
}

TEST(UpdateDbOption, UpgradesAnOlderFileAndSucceeds) {
    TempDevice device;
    install_older_settings(device);
    EXPECT_EQ(run_command(kTortamos + " -updateDB"), 0);
    EXPECT_EQ(column_count(device.path(kSettingsFile)), 8);
}

TEST(UpdateDbOption, SucceedsWithoutCreatingAMissingFile) {
    TempDevice device;
    EXPECT_EQ(run_command(kTortamos + " -updateDB 2>/dev/null"), 0);
    EXPECT_FALSE(std::filesystem::exists(device.path(kSettingsFile)));
    EXPECT_FALSE(std::filesystem::exists(device.path("/var/mobile")));
}

TEST(UpdateDbOption, OnlyTheExactSingleArgumentTakesTheUpgradePath) {
    for (const std::string arguments : {"-updateDB x", "-UPDATEDB", "-updatedb", "x -updateDB",
                                        "'-updateDB '", "--updateDB"}) {
        SCOPED_TRACE(arguments);
        TempDevice device;
        install_older_settings(device);
        EXPECT_NE(run_command(kTortamos + " " + arguments + " 2>/dev/null </dev/null"), 0);
        EXPECT_EQ(column_count(device.path(kSettingsFile)), 2);
    }
}

} // namespace
