#include "Settings.h"

#include "TempDevice.h"

#include <shared/SettingsFile.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Values = std::array<int32_t, 8>;

constexpr const char* kOlderLayout = "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);";
// Not in the order of the queries, so a value read from or written to a wrong column shows.
constexpr const char* kCurrentLayout =
    "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER, bPopup INTEGER, "
    "bSound INTEGER, iTimerHour INTEGER, iTimerMinute INTEGER, iStandby INTEGER);";

// A direct connection to the settings file, to set it up and look at it.
class Db {
public:
    explicit Db(const std::filesystem::path& file) { sqlite3_open(file.c_str(), &db_); }
    ~Db() {
        sqlite3_finalize(reader_);
        sqlite3_close(db_);
    }
    int exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }

    // Each row as text, "NULL" for null, columns joined by '|'; the header row is the column names.
    std::vector<std::string> table() {
        std::vector<std::string> rows;
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, "SELECT * FROM Settings", -1, &s, nullptr) != SQLITE_OK) return rows;
        rows.push_back(join(s, [&](int c) { return std::string(sqlite3_column_name(s, c)); }));
        while (sqlite3_step(s) == SQLITE_ROW)
            rows.push_back(join(s, [&](int c) {
                const auto* text = sqlite3_column_text(s, c);
                return text ? std::string(reinterpret_cast<const char*>(text)) : "NULL";
            }));
        sqlite3_finalize(s);
        return rows;
    }

    // A read transaction kept open (a shared lock) until this object goes.
    void hold_read_lock() {
        exec("BEGIN");
        sqlite3_prepare_v2(db_, "SELECT * FROM Settings", -1, &reader_, nullptr);
        ASSERT_EQ(sqlite3_step(reader_), SQLITE_ROW);
    }

private:
    template <typename F>
    static std::string join(sqlite3_stmt* s, F cell) {
        std::string line;
        for (int c = 0; c < sqlite3_column_count(s); ++c) line += (c ? "|" : "") + cell(c);
        return line;
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* reader_ = nullptr;
};

// bBadge bHideAge bHideSigno bSound bPopup iTimerHour iTimerMinute bStandby
Values globals() { return {bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, bStandby}; }
void set_globals(const Values& v) {
    bBadge = v[0], bHideAge = v[1], bHideSigno = v[2], bSound = v[3];
    bPopup = v[4], iTimerHour = v[5], iTimerMinute = v[6], bStandby = v[7];
}

const std::string kCurrentHeader = "bBadge|bHideAge|bHideSigno|bPopup|bSound|iTimerHour|iTimerMinute|iStandby";

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_globals({});
        tortamos::settings_file::setBusyTimeout(200ms);
        std::filesystem::create_directories(file().parent_path());
    }
    void TearDown() override { tortamos::settings_file::setBusyTimeout(tortamos::settings_file::kBusyTimeout); }

    std::filesystem::path file() const { return device.path(tortamos::settings_file::kPath); }
    void install(const std::string& sql) { ASSERT_EQ(Db(file()).exec(sql), SQLITE_OK); }
    std::string bytes() const {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> table() { return Db(file()).table(); }

    TempDevice device;
};

TEST_F(SettingsFileTest, OlderLayoutGainsTheSixColumnsWithDefaultsAndKeepsItsOwnValues) {
    install(std::string(kOlderLayout) + "INSERT INTO Settings VALUES (0, 1);");
    settings::updateDatabase();
    EXPECT_EQ(table(), (std::vector<std::string>{kCurrentHeader, "0|1|0|1|1|11|0|0"}));
    EXPECT_FALSE(std::filesystem::exists(file().string() + "-journal"));

    Db(file()).exec("UPDATE Settings SET iTimerHour=7, iTimerMinute=45, bPopup=0, bSound=0");
    const std::string before = bytes();
    settings::updateDatabase(); // a second start
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(table()[1], "0|1|0|0|0|7|45|0");
}

TEST_F(SettingsFileTest, FilesTheUpgradeAndTheLoadsLeaveAsTheyAre) {
    const std::string cases[] = {
        "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER);"
        "INSERT INTO Settings VALUES (1, 1, 1);", // taken as current, though columns are missing
        "CREATE TABLE Other (bBadge INTEGER); INSERT INTO Other VALUES (1);",
        std::string(kCurrentLayout) + "INSERT INTO Settings VALUES ('yes','no','x','y','z','w','v','u');",
    };
    for (const std::string& sql : cases) {
        SCOPED_TRACE(sql);
        std::filesystem::remove(file());
        install(sql);
        const std::string before = bytes();
        settings::updateDatabase();
        settings::loadAllSettings();
        EXPECT_EQ(bytes(), before);
    }
}

TEST_F(SettingsFileTest, FilesThatAreNoDatabaseStayAsTheyAreAndLoadNothing) {
    for (const std::string& garbage : {std::string("bBadge=1\n"), std::string(), std::string(4096, '\xff')}) {
        std::ofstream(file(), std::ios::binary) << garbage;
        set_globals({1, 0, 1, 0, 1, 8, 15, 0});
        settings::updateDatabase();
        settings::loadListSettings();
        settings::loadAllSettings();
        EXPECT_FALSE(settings::saveAllSettings());
        EXPECT_EQ(bytes(), garbage); // an empty file is not made a database either
        EXPECT_EQ(globals(), (Values{1, 0, 1, 0, 1, 8, 15, 0}));
    }
}

TEST_F(SettingsFileTest, MissingFileIsNeverCreated) {
    set_globals({1, 0, 1, 0, 1, 8, 15, 0});
    settings::updateDatabase();
    settings::loadAllSettings();
    EXPECT_FALSE(settings::saveAllSettings());
    EXPECT_FALSE(std::filesystem::exists(file()));
    EXPECT_EQ(globals(), (Values{1, 0, 1, 0, 1, 8, 15, 0}));
}

TEST_F(SettingsFileTest, TableWithoutRowsIsUpgradedButNoValueMoves) {
    install(kOlderLayout);
    settings::updateDatabase();
    set_globals({1, 1, 1, 1, 1, 9, 30, 1});
    settings::loadListSettings();
    settings::loadAllSettings();
    EXPECT_FALSE(settings::saveAllSettings());
    EXPECT_EQ(globals(), (Values{1, 1, 1, 1, 1, 9, 30, 1}));
    EXPECT_EQ(table(), std::vector<std::string>{kCurrentHeader});
}

TEST_F(SettingsFileTest, NullsAndTextReadAsZero) {
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (NULL, 'yes', NULL, NULL, NULL, NULL, NULL, NULL);");
    set_globals({1, 1, 1, 1, 1, 9, 30, 1});
    settings::loadAllSettings();
    EXPECT_EQ(globals(), Values{});
}

TEST_F(SettingsFileTest, EachValueComesFromAndGoesBackToItsOwnColumn) {
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (2, 3, 4, 5, 6, 7, 8, 9);");
    const std::vector<std::string> before = table();
    settings::loadAllSettings();
    EXPECT_EQ(globals(), (Values{2, 3, 4, 6, 5, 7, 8, 9}));
    EXPECT_TRUE(settings::saveAllSettings());
    EXPECT_EQ(table(), before);

    set_globals({12, 13, 14, 15, 16, 17, 18, 19});
    EXPECT_TRUE(settings::saveAllSettings());
    EXPECT_EQ(table()[1], "12|13|14|16|15|17|18|19");
}

// Cut to 32 bits, 2^32 + 1 would read as 1 (a switch on) and 2^32 as 0; a flag is on only when the
// file holds exactly 1, and an hour beyond the range is no hour of the day.
TEST_F(SettingsFileTest, ValuesBeyond32BitsReadAsTheNearestEndOfTheRange) {
    constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;
    install(std::string(kCurrentLayout) +
            "INSERT INTO Settings VALUES (4294967297, 4294967296, -4294967295, 4294967297, "
            "9223372036854775807, 4294967307, -9223372036854775808, 2147483648);");
    settings::loadAllSettings();
    // bBadge bHideAge bHideSigno bSound bPopup iTimerHour iTimerMinute bStandby
    EXPECT_EQ(globals(), (Values{kMax, kMax, kMin, kMax, kMax, kMax, kMin, kMax}));
    set_globals({});
    settings::loadListSettings();
    EXPECT_EQ(globals(), (Values{kMax, kMax, kMin, 0, 0, 0, 0, 0}));

    Db(file()).exec("UPDATE Settings SET bBadge = 2147483647, bHideAge = -2147483648, bSound = 1");
    settings::loadAllSettings();
    EXPECT_EQ(globals(), (Values{kMax, kMin, kMin, 1, kMax, kMax, kMin, kMax})) << "the ends themselves";
}

TEST_F(SettingsFileTest, ListLoadLogsAndReadsOnlyItsThreeValues) {
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (1, 1, 1, 1, 1, 11, 0, 1);");
    testing::internal::CaptureStderr();
    settings::loadListSettings();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("] initializeDatabase...\n"), std::string::npos);
    EXPECT_EQ(globals(), (Values{1, 1, 1, 0, 0, 0, 0, 0}));
}

TEST_F(SettingsFileTest, SaveWaitsForALockHeldByAnotherConnection) {
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (0, 0, 0, 0, 0, 0, 0, 0);");
    tortamos::settings_file::setBusyTimeout(tortamos::settings_file::kBusyTimeout);
    std::atomic<bool> locked = false;
    std::thread other([&] {
        Db db(file());
        db.exec("BEGIN EXCLUSIVE");
        locked = true;
        std::this_thread::sleep_for(300ms);
        db.exec("COMMIT");
    });
    while (!locked) std::this_thread::sleep_for(1ms);
    set_globals({1, 1, 1, 1, 1, 12, 34, 1});
    EXPECT_TRUE(settings::saveAllSettings());
    other.join();
    EXPECT_EQ(table()[1], "1|1|1|1|1|12|34|1");
}

TEST_F(SettingsFileTest, UpgradeThatCannotFinishLeavesTheOlderLayout) {
    install(std::string(kOlderLayout) + "INSERT INTO Settings VALUES (1, 0);");
    const std::vector<std::string> older = table();
    {
        Db writer(file()); // blocks the start of the upgrade
        ASSERT_EQ(writer.exec("BEGIN IMMEDIATE"), SQLITE_OK);
        settings::updateDatabase();
    }
    EXPECT_EQ(table(), older);
    {
        Db reader(file()); // lets the upgrade run but blocks its commit
        reader.hold_read_lock();
        settings::updateDatabase();
    }
    EXPECT_EQ(table(), older);
    EXPECT_FALSE(std::filesystem::exists(file().string() + "-journal"));

    // The last statement fails while it runs, after the six columns were added.
    install("CREATE TRIGGER refuse BEFORE UPDATE ON Settings BEGIN SELECT RAISE(ABORT, 'no'); END;");
    settings::updateDatabase();
    EXPECT_EQ(table(), older);

    install("DROP TRIGGER refuse;");
    settings::updateDatabase();
    EXPECT_EQ(table(), (std::vector<std::string>{kCurrentHeader, "1|0|0|1|1|11|0|0"}));
}

} // namespace
