#include "TempDevice.h"

#include <shared/SettingsFile.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <vector>

namespace {

using tortamos::settings_file::Column;
using Rows = std::vector<std::vector<int32_t>>;

class SettingsFileModule : public ::testing::Test {
protected:
    void install(const char* sql) {
        const auto file = device.path(tortamos::settings_file::kPath);
        std::filesystem::create_directories(file.parent_path());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    Rows read(std::vector<Column> columns) {
        Rows rows;
        tortamos::settings_file::readRows(columns, [&](std::span<const int32_t> values) {
            rows.emplace_back(values.begin(), values.end());
        });
        return rows;
    }

    TempDevice device;
};

TEST_F(SettingsFileModule, EveryRowComesInTheOrderOfTheColumnsAsked) {
    install("CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER, "
            "bPopup INTEGER, bSound INTEGER, iTimerHour INTEGER, iTimerMinute INTEGER, "
            "iStandby INTEGER);"
            "INSERT INTO Settings VALUES (1, 2, 3, 4, 5, 6, 7, 8);"
            "INSERT INTO Settings VALUES (11, 12, 13, 14, 15, 16, 17, 18);");
    EXPECT_EQ(read({Column::iStandby, Column::bSound, Column::bBadge}), (Rows{{8, 5, 1}, {18, 15, 11}}));

    EXPECT_TRUE(tortamos::settings_file::writeAll({21, 22, 23, 24, 25, 26, 27, 28}));
    EXPECT_EQ(read({Column::bBadge, Column::bHideAge, Column::bHideSigno, Column::bSound,
                    Column::bPopup, Column::iTimerHour, Column::iTimerMinute, Column::iStandby}),
              (Rows{{21, 22, 23, 24, 25, 26, 27, 28}, {21, 22, 23, 24, 25, 26, 27, 28}}))
        << "every row gets the values, each in its own column";
}

TEST_F(SettingsFileModule, AColumnTheFileLacksReadsNoRowAtAll) {
    install("CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
            "INSERT INTO Settings VALUES (1, 0);");
    EXPECT_EQ(read({Column::bBadge, Column::bSound}), Rows{});
    EXPECT_EQ(read({Column::bBadge, Column::bHideAge}), (Rows{{1, 0}}));
}

// Only a file another program holds is a failed read; a missing file or layout is an answer.
TEST_F(SettingsFileModule, AReadFailsOnlyWhileAnotherProgramHoldsTheFile) {
    const auto nothing = [](std::span<const int32_t>) {};
    EXPECT_TRUE(tortamos::settings_file::readRows(std::vector{Column::bBadge}, nothing));
    install("CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER); INSERT INTO Settings VALUES (1, 0);");
    EXPECT_TRUE(tortamos::settings_file::readRows(std::vector{Column::bSound}, nothing));

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(device.path(tortamos::settings_file::kPath).c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    tortamos::settings_file::setBusyTimeout(std::chrono::milliseconds(50));
    EXPECT_FALSE(tortamos::settings_file::readRows(std::vector{Column::bBadge}, nothing));
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    tortamos::settings_file::setBusyTimeout(tortamos::settings_file::kBusyTimeout);
    EXPECT_EQ(read({Column::bBadge}), (Rows{{1}}));
}

} // namespace
