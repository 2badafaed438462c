#include "SettingsDb.h"
#include "TempDevice.h"
#include "shared/SettingsFile.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using tortamos::settings_file::Column;
using Rows = std::vector<std::vector<int32_t>>;
namespace settings_file = tortamos::settings_file;

constexpr const char* kOlderLayout = "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);";
// Not in the order of Column, so a value read from or written to a wrong column shows.
constexpr const char* kCurrentLayout =
    "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER, bPopup INTEGER, "
    "bSound INTEGER, iTimerHour INTEGER, iTimerMinute INTEGER, iStandby INTEGER);";
const std::string kCurrentHeader =
    "bBadge|bHideAge|bHideSigno|bPopup|bSound|iTimerHour|iTimerMinute|iStandby";
const std::vector<Column> kAllColumns = {Column::bBadge,       Column::bHideAge, Column::bHideSigno,
                                         Column::bSound,       Column::bPopup,   Column::iTimerHour,
                                         Column::iTimerMinute, Column::iStandby};

class SettingsFileModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings_file::setBusyTimeout(200ms);
        std::filesystem::create_directories(file().parent_path());
    }
    void TearDown() override { settings_file::setBusyTimeout(settings_file::kBusyTimeout); }

    std::filesystem::path file() const { return device.path(settings_file::kPath); }
    void install(const std::string& sql) { ASSERT_EQ(SettingsDb(file()).exec(sql), SQLITE_OK); }
    std::vector<std::string> table() { return SettingsDb(file()).table(); }
    std::string bytes() const
    {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The rows read, and whether the read counted as done.
    Rows read(const std::vector<Column>& columns = kAllColumns, bool* done = nullptr)
    {
        Rows rows;
        const bool answered =
            settings_file::readRows(columns, [&](std::span<const int32_t> values) {
                rows.emplace_back(values.begin(), values.end());
            });
        if (done)
            *done = answered;
        return rows;
    }
    // Another connection takes the write lock, runs `sql` and commits `hold` later, on a thread.
    std::thread hold_write_lock(std::chrono::milliseconds hold, const std::string& sql = "")
    {
        std::atomic<bool> locked = false;
        std::thread other([this, hold, sql, &locked] {
            SettingsDb db(file());
            db.exec("BEGIN EXCLUSIVE;" + sql);
            locked = true;
            std::this_thread::sleep_for(hold);
            db.exec("COMMIT");
        });
        while (!locked)
            std::this_thread::sleep_for(1ms);
        return other;
    }

    TempDevice device;
};

TEST_F(SettingsFileModule, EveryRowComesInTheOrderOfTheColumnsAsked)
{
    install(std::string(kCurrentLayout) +
            "INSERT INTO Settings VALUES (1, 2, 3, 4, 5, 6, 7, 8);"
            "INSERT INTO Settings VALUES (11, 12, 13, 14, 15, 16, 17, 18);");
    EXPECT_EQ(read({Column::iStandby, Column::bSound, Column::bBadge}),
              (Rows{{8, 5, 1}, {18, 15, 11}}));

    EXPECT_TRUE(settings_file::writeAll({21, 22, 23, 24, 25, 26, 27, 28}));
    EXPECT_EQ(read(), (Rows{{21, 22, 23, 24, 25, 26, 27, 28}, {21, 22, 23, 24, 25, 26, 27, 28}}))
        << "every row gets the values, each in its own column";
}

TEST_F(SettingsFileModule, AColumnTheFileLacksReadsNoRowAtAll)
{
    install("CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
            "INSERT INTO Settings VALUES (1, 0);");
    EXPECT_EQ(read({Column::bBadge, Column::bSound}), Rows{});
    EXPECT_EQ(read({Column::bBadge, Column::bHideAge}), (Rows{{1, 0}}));
}

// Only a file another program holds is a failed read; a missing file or layout is an answer.
TEST_F(SettingsFileModule, AReadFailsOnlyWhileAnotherProgramHoldsTheFile)
{
    const auto nothing = [](std::span<const int32_t>) {};
    EXPECT_TRUE(settings_file::readRows(std::vector{Column::bBadge}, nothing));
    install("CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER); INSERT INTO Settings VALUES "
            "(1, 0);");
    EXPECT_TRUE(settings_file::readRows(std::vector{Column::bSound}, nothing));

    {
        SettingsDb other(file());
        ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
        settings_file::setBusyTimeout(50ms);
        EXPECT_FALSE(settings_file::readRows(std::vector{Column::bBadge}, nothing));
    }
    settings_file::setBusyTimeout(settings_file::kBusyTimeout);
    EXPECT_EQ(read({Column::bBadge}), (Rows{{1}}));
}

TEST_F(SettingsFileModule, OlderLayoutGainsTheSixColumnsWithDefaultsAndKeepsItsOwnValues)
{
    install(std::string(kOlderLayout) + "INSERT INTO Settings VALUES (0, 1);");
    settings_file::upgrade();
    EXPECT_EQ(table(), (std::vector<std::string>{kCurrentHeader, "0|1|0|1|1|11|0|0"}));
    EXPECT_FALSE(std::filesystem::exists(file().string() + "-journal"));

    SettingsDb(file()).exec(
        "UPDATE Settings SET iTimerHour=7, iTimerMinute=45, bPopup=0, bSound=0");
    const std::string before = bytes();
    settings_file::upgrade(); // a second start
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(table()[1], "0|1|0|0|0|7|45|0");
}

TEST_F(SettingsFileModule, FilesTheUpgradeAndTheReadsLeaveAsTheyAre)
{
    const std::string cases[] = {
        "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER);"
        "INSERT INTO Settings VALUES (1, 1, 1);", // taken as current, though columns are missing
        "CREATE TABLE Other (bBadge INTEGER); INSERT INTO Other VALUES (1);",
        std::string(kCurrentLayout) +
            "INSERT INTO Settings VALUES ('yes','no','x','y','z','w','v','u');",
    };
    for (const std::string& sql : cases) {
        SCOPED_TRACE(sql);
        std::filesystem::remove(file());
        install(sql);
        const std::string before = bytes();
        settings_file::upgrade();
        read();
        EXPECT_EQ(bytes(), before);
    }
}

// Nothing to read is an answer, not a failed read; nothing is written and the file is not made a
// database (not even an empty one) or created.
TEST_F(SettingsFileModule, FilesThatAreNoDatabaseOrMissingStayAsTheyAreAndGiveNoRow)
{
    const std::optional<std::string> cases[] = {"bBadge=1\n", "", std::string(4096, '\xff'),
                                                "not a database at all, but long enough to look",
                                                std::nullopt /* missing */};
    for (const auto& contents : cases) {
        SCOPED_TRACE(contents.value_or("missing"));
        std::filesystem::remove(file());
        if (contents)
            std::ofstream(file(), std::ios::binary) << *contents;
        settings_file::upgrade();
        bool done = false;
        EXPECT_EQ(read({Column::bBadge, Column::bHideAge, Column::bHideSigno}, &done), Rows{});
        EXPECT_TRUE(done);
        EXPECT_EQ(read(kAllColumns, &done), Rows{});
        EXPECT_TRUE(done);
        EXPECT_FALSE(settings_file::writeAll({1, 0, 1, 0, 1, 8, 15, 0}));
        if (contents)
            EXPECT_EQ(bytes(), *contents);
        else
            EXPECT_FALSE(std::filesystem::exists(file()));
    }
}

TEST_F(SettingsFileModule, TableWithoutRowsIsUpgradedButNoValueMoves)
{
    install(kOlderLayout);
    settings_file::upgrade();
    bool done = false;
    EXPECT_EQ(read(kAllColumns, &done), Rows{});
    EXPECT_TRUE(done);
    EXPECT_FALSE(settings_file::writeAll({1, 1, 1, 1, 1, 9, 30, 1}));
    EXPECT_EQ(table(), std::vector<std::string>{kCurrentHeader});
}

TEST_F(SettingsFileModule, NullsAndTextReadAsZero)
{
    install(std::string(kCurrentLayout) +
            "INSERT INTO Settings VALUES (NULL, 'yes', NULL, NULL, NULL, NULL, NULL, NULL);");
    EXPECT_EQ(read(), (Rows{{0, 0, 0, 0, 0, 0, 0, 0}}));
}

// Cut to 32 bits, 2^32 + 1 would read as 1 (a switch on) and 2^32 as 0; a flag is on only when the
// file holds exactly 1, and an hour beyond the range is no hour of the day.
TEST_F(SettingsFileModule, ValuesBeyond32BitsReadAsTheNearestEndOfTheRange)
{
    constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;
    install(std::string(kCurrentLayout) +
            "INSERT INTO Settings VALUES (4294967297, 4294967296, -4294967295, 4294967297, "
            "9223372036854775807, 4294967307, -9223372036854775808, 2147483648);");
    // In the order of Column: bSound and bPopup trade places with the file's.
    EXPECT_EQ(read(), (Rows{{kMax, kMax, kMin, kMax, kMax, kMax, kMin, kMax}}));
    EXPECT_EQ(read({Column::bBadge, Column::bHideAge, Column::bHideSigno}),
              (Rows{{kMax, kMax, kMin}}));

    SettingsDb(file()).exec(
        "UPDATE Settings SET bBadge = 2147483647, bHideAge = -2147483648, bSound = 1");
    EXPECT_EQ(read(), (Rows{{kMax, kMin, kMin, 1, kMax, kMax, kMin, kMax}}))
        << "the ends themselves";
}

// A save that meets the other program's read, or a read that meets its save, waits for it
// instead of being lost or reading what the save replaces.
TEST_F(SettingsFileModule, ReadsAndSavesWaitForALockHeldByAnotherProgram)
{
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (1, 0, 0, 1, 1, 11, 0, 0);");
    settings_file::setBusyTimeout(settings_file::kBusyTimeout);

    std::thread other = hold_write_lock(300ms, "UPDATE Settings SET iTimerHour = 21;");
    EXPECT_EQ(read({Column::iTimerHour, Column::bBadge}), (Rows{{21, 1}}));
    other.join();

    other = hold_write_lock(300ms);
    EXPECT_TRUE(settings_file::writeAll({1, 1, 1, 1, 1, 12, 34, 1}));
    other.join();
    EXPECT_EQ(table()[1], "1|1|1|1|1|12|34|1");
}

// The other program died in the middle of a save (power lost after the file was partly
// written): the file and its rollback journal are left as they were at that moment. The save
// never happened, so a read finds the settings as they stood before it.
TEST_F(SettingsFileModule, ReadsTheLastCompleteSaveAfterAWriterDiedInTheMiddleOfOne)
{
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (1, 0, 0, 1, 1, 11, 0, 0);");
    const auto journal = std::filesystem::path(file().string() + "-journal");
    const auto image = device.path("/crash");
    std::filesystem::create_directories(image);
    {
        SettingsDb writer(file());
        ASSERT_EQ(writer.exec("PRAGMA cache_size = 2; BEGIN; UPDATE Settings SET iTimerHour = 21;"
                              "CREATE TABLE Filler (x); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                              "SELECT i + 1 FROM n WHERE i < 200) INSERT INTO Filler SELECT "
                              "zeroblob(3000) FROM n;"),
                  SQLITE_OK);
        ASSERT_TRUE(std::filesystem::exists(journal));
        std::filesystem::copy_file(file(), image / "db");
        std::filesystem::copy_file(journal, image / "journal");
        writer.exec("ROLLBACK;");
    }
    std::filesystem::copy_file(image / "db", file(),
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(image / "journal", journal,
                               std::filesystem::copy_options::overwrite_existing);

    EXPECT_EQ(read(), (Rows{{1, 0, 0, 1, 1, 11, 0, 0}}));
}

TEST_F(SettingsFileModule, UpgradeThatCannotFinishLeavesTheOlderLayout)
{
    install(std::string(kOlderLayout) + "INSERT INTO Settings VALUES (1, 0);");
    const std::vector<std::string> older = table();
    {
        SettingsDb writer(file()); // blocks the start of the upgrade
        ASSERT_EQ(writer.exec("BEGIN IMMEDIATE"), SQLITE_OK);
        settings_file::upgrade();
    }
    EXPECT_EQ(table(), older);
    {
        SettingsDb reader(file()); // lets the upgrade run but blocks its commit
        reader.hold_read_lock();
        settings_file::upgrade();
    }
    EXPECT_EQ(table(), older);
    EXPECT_FALSE(std::filesystem::exists(file().string() + "-journal"));

    // The last statement fails while it runs, after the six columns were added.
    install(
        "CREATE TRIGGER refuse BEFORE UPDATE ON Settings BEGIN SELECT RAISE(ABORT, 'no'); END;");
    settings_file::upgrade();
    EXPECT_EQ(table(), older);

    install("DROP TRIGGER refuse;");
    settings_file::upgrade();
    EXPECT_EQ(table(), (std::vector<std::string>{kCurrentHeader, "1|0|0|1|1|11|0|0"}));
}

} // namespace
