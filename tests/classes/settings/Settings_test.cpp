#include "Settings.h"

#include "TempDevice.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr const char* kOlderLayout =
    "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);";
constexpr const char* kCurrentLayout =
    "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER, bPopup INTEGER, "
    "bSound INTEGER, iTimerHour INTEGER, iTimerMinute INTEGER, iStandby INTEGER);";
const std::vector<std::string> kCurrentColumns = {"bBadge", "bHideAge", "bHideSigno", "bPopup",
                                                  "bSound", "iTimerHour", "iTimerMinute", "iStandby"};

// A direct connection to the device's settings file, for setting it up and looking at it.
class Db {
public:
    explicit Db(const std::filesystem::path& file) {
        if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) ADD_FAILURE() << sqlite3_errmsg(db_);
    }
    ~Db() {
        sqlite3_finalize(reader_);
        sqlite3_close(db_);
    }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    int exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }

    std::vector<std::string> columns() {
        std::vector<std::string> names;
        for_each_row("PRAGMA table_info(Settings)", [&](sqlite3_stmt* s) {
            names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 1)));
        });
        return names;
    }

    // The single row, column name to value (nullopt for NULL).
    std::map<std::string, std::optional<int>> row() {
        std::map<std::string, std::optional<int>> values;
        for_each_row("SELECT * FROM Settings", [&](sqlite3_stmt* s) {
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                values[sqlite3_column_name(s, c)] =
                    sqlite3_column_type(s, c) == SQLITE_NULL ? std::nullopt
                                                             : std::optional(sqlite3_column_int(s, c));
        });
        return values;
    }

    int row_count() {
        int count = -1;
        for_each_row("SELECT count(*) FROM Settings", [&](sqlite3_stmt* s) { count = sqlite3_column_int(s, 0); });
        return count;
    }

    // Opens a read transaction and keeps it open (a shared lock) until this object goes.
    void hold_read_lock() {
        ASSERT_EQ(exec("BEGIN"), SQLITE_OK);
        ASSERT_EQ(sqlite3_prepare_v2(db_, "SELECT * FROM Settings", -1, &reader_, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(reader_), SQLITE_ROW);
    }

private:
    template <typename F>
    void for_each_row(const char* sql, F f) {
        sqlite3_stmt* s = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db_, sql, -1, &s, nullptr), SQLITE_OK) << sqlite3_errmsg(db_);
        while (sqlite3_step(s) == SQLITE_ROW) f(s);
        sqlite3_finalize(s);
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* reader_ = nullptr;
};

std::array<int32_t, 8> globals() {
    return {bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, bStandby};
}

void set_globals(const std::array<int32_t, 8>& v) {
    bBadge = v[0], bHideAge = v[1], bHideSigno = v[2], bSound = v[3];
    bPopup = v[4], iTimerHour = v[5], iTimerMinute = v[6], bStandby = v[7];
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_globals({});
        settings::setBusyTimeout(200ms);
    }
    void TearDown() override { settings::setBusyTimeout(5000ms); }

    std::filesystem::path file() const { return device.path(settings::kDatabasePath); }

    // Creates the settings file from SQL, the way an installation would.
    void install(const std::string& sql) {
        std::filesystem::create_directories(file().parent_path());
        Db db(file());
        ASSERT_EQ(db.exec(sql), SQLITE_OK);
    }

    void install_bytes(const std::string& bytes) {
        std::filesystem::create_directories(file().parent_path());
        std::ofstream(file(), std::ios::binary) << bytes;
    }

    std::string bytes() const {
        std::ifstream in(file(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    TempDevice device;
};

TEST_F(SettingsFileTest, OlderLayoutGainsTheSixColumnsWithDefaultsAndKeepsItsOwnValues) {
    install(std::string(kOlderLayout) + "INSERT INTO Settings VALUES (0, 1);");
    settings::updateDatabase();

    Db db(file());
    EXPECT_EQ(db.columns(), kCurrentColumns);
    const std::map<std::string, std::optional<int>> expected = {
        {"bBadge", 0},     {"bHideAge", 1},   {"iTimerHour", 11}, {"iTimerMinute", 0},
        {"bHideSigno", 0}, {"bPopup", 1},     {"bSound", 1},      {"iStandby", 0}};
    EXPECT_EQ(db.row(), expected);
    EXPECT_FALSE(std::filesystem::exists(file().string() + "-journal"));
}

TEST_F(SettingsFileTest, SecondUpgradeChangesNothingAndKeepsTheUsersChoices) {
    install(std::string(kOlderLayout) + "INSERT INTO Settings VALUES (1, 0);");
    settings::updateDatabase();
    Db(file()).exec("UPDATE Settings SET iTimerHour=7, iTimerMinute=45, bPopup=0, bSound=0");
    const std::string before = bytes();

    settings::updateDatabase();
    EXPECT_EQ(bytes(), before);
    Db db(file());
    EXPECT_EQ(db.row()["iTimerHour"], 7);
    EXPECT_EQ(db.row()["bPopup"], 0);
}

TEST_F(SettingsFileTest, FilesTheUpgradeMustLeaveAlone) {
    const std::string cases[] = {
        // bHideSigno there, other new columns missing: taken as current
        "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER);"
        "INSERT INTO Settings VALUES (1, 1, 1);",
        // no Settings table at all
        "CREATE TABLE Other (bBadge INTEGER); INSERT INTO Other VALUES (1);",
        // current layout with text in the integer columns
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

TEST_F(SettingsFileTest, TableWithoutRowsIsUpgradedButNoValueMoves) {
    install(kOlderLayout);
    settings::updateDatabase();
    set_globals({1, 1, 1, 1, 1, 9, 30, 1});
    settings::loadListSettings();
    settings::loadAllSettings();
    EXPECT_EQ(globals(), (std::array<int32_t, 8>{1, 1, 1, 1, 1, 9, 30, 1}));
    settings::saveAllSettings();

    Db db(file());
    EXPECT_EQ(db.columns(), kCurrentColumns);
    EXPECT_EQ(db.row_count(), 0);
}

TEST_F(SettingsFileTest, NullsAndTextReadAsZero) {
    install(std::string(kCurrentLayout) +
            "INSERT INTO Settings VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);");
    set_globals({1, 1, 1, 1, 1, 9, 30, 1});
    settings::loadAllSettings();
    EXPECT_EQ(globals(), (std::array<int32_t, 8>{}));

    Db(file()).exec("UPDATE Settings SET bBadge='yes', bHideAge='1', bHideSigno=1");
    settings::loadListSettings();
    EXPECT_EQ(bBadge, 0);
    EXPECT_EQ(bHideAge, 1);
    EXPECT_EQ(bHideSigno, 1);
}

TEST_F(SettingsFileTest, EachValueComesFromAndGoesToItsOwnColumn) {
    // Column order in the file differs from the order of the queries on purpose.
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (2, 3, 4, 5, 6, 7, 8, 9);");
    settings::loadAllSettings();
    // bBadge bHideAge bHideSigno bSound bPopup iTimerHour iTimerMinute bStandby
    EXPECT_EQ(globals(), (std::array<int32_t, 8>{2, 3, 4, 6, 5, 7, 8, 9}));
    settings::saveAllSettings();
    EXPECT_EQ(Db(file()).row(), (std::map<std::string, std::optional<int>>{
                                    {"bBadge", 2}, {"bHideAge", 3}, {"bHideSigno", 4}, {"bPopup", 5},
                                    {"bSound", 6}, {"iTimerHour", 7}, {"iTimerMinute", 8}, {"iStandby", 9}}));

    set_globals({1, 0, 1, 0, 1, 23, 59, 0});
    settings::saveAllSettings();
    set_globals({});
    settings::loadAllSettings();
    EXPECT_EQ(globals(), (std::array<int32_t, 8>{1, 0, 1, 0, 1, 23, 59, 0}));
}

TEST_F(SettingsFileTest, ListLoadLogsAndReadsOnlyItsThreeValues) {
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (1, 1, 1, 1, 1, 11, 0, 1);");
    testing::internal::CaptureStderr();
    settings::loadListSettings();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("] initializeDatabase...\n"), std::string::npos) << log;
    EXPECT_EQ(globals(), (std::array<int32_t, 8>{1, 1, 1, 0, 0, 0, 0, 0}));
}

TEST_F(SettingsFileTest, MissingFileIsNeverCreatedAndNothingChanges) {
    set_globals({1, 0, 1, 0, 1, 8, 15, 0});
    settings::updateDatabase();
    settings::loadListSettings();
    settings::loadAllSettings();
    settings::saveAllSettings();
    EXPECT_FALSE(std::filesystem::exists(file().parent_path()));
    EXPECT_EQ(globals(), (std::array<int32_t, 8>{1, 0, 1, 0, 1, 8, 15, 0}));

    std::filesystem::create_directories(file().parent_path());
    settings::saveAllSettings();
    settings::updateDatabase();
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(SettingsFileTest, FilesThatAreNoDatabaseStayAsTheyAre) {
    for (const std::string& garbage : {std::string("bBadge=1\nbHideAge=0\n"), std::string(),
                                       std::string(4096, '\xff')}) {
        install_bytes(garbage);
        set_globals({1, 0, 1, 0, 1, 8, 15, 0});
        settings::updateDatabase();
        settings::loadListSettings();
        settings::loadAllSettings();
        settings::saveAllSettings();
        EXPECT_EQ(bytes(), garbage);
        EXPECT_EQ(globals(), (std::array<int32_t, 8>{1, 0, 1, 0, 1, 8, 15, 0}));
    }
}

TEST_F(SettingsFileTest, SaveWaitsForALockHeldByAnotherConnection) {
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (0, 0, 0, 0, 0, 0, 0, 0);");
    settings::setBusyTimeout(5000ms);
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
    settings::saveAllSettings();
    other.join();
    EXPECT_EQ(Db(file()).row()["iTimerMinute"], 34);
    EXPECT_EQ(Db(file()).row()["iStandby"], 1);
}

TEST_F(SettingsFileTest, UpgradeThatCannotFinishLeavesTheOlderLayout) {
    install(std::string(kOlderLayout) + "INSERT INTO Settings VALUES (1, 0);");
    {
        Db writer(file()); // blocks the start of the upgrade
        ASSERT_EQ(writer.exec("BEGIN IMMEDIATE"), SQLITE_OK);
        settings::updateDatabase();
    }
    EXPECT_EQ(Db(file()).columns(), (std::vector<std::string>{"bBadge", "bHideAge"}));
    {
        Db reader(file()); // lets the upgrade run but blocks its commit
        reader.hold_read_lock();
        settings::updateDatabase();
    }
    EXPECT_EQ(Db(file()).columns(), (std::vector<std::string>{"bBadge", "bHideAge"}));
    EXPECT_FALSE(std::filesystem::exists(file().string() + "-journal"));

    settings::updateDatabase();
    Db db(file());
    EXPECT_EQ(db.columns(), kCurrentColumns);
    EXPECT_EQ(db.row()["bBadge"], 1);
    EXPECT_EQ(db.row()["iTimerHour"], 11);
}

} // namespace
