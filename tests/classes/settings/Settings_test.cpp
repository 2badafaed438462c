#include "Settings.h"
#include "SettingsDb.h"
#include "TempDevice.h"
#include "shared/SettingsFile.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Values = std::array<int32_t, 8>;

// Not in the order of the queries, so a value read from or written to a wrong column shows.
constexpr const char* kCurrentLayout =
    "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER, bHideSigno INTEGER, bPopup INTEGER, "
    "bSound INTEGER, iTimerHour INTEGER, iTimerMinute INTEGER, iStandby INTEGER);";

// bBadge bHideAge bHideSigno bSound bPopup iTimerHour iTimerMinute bStandby
Values globals()
{
    return {bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, bStandby};
}
void set_globals(const Values& v)
{
    bBadge = v[0], bHideAge = v[1], bHideSigno = v[2], bSound = v[3];
    bPopup = v[4], iTimerHour = v[5], iTimerMinute = v[6], bStandby = v[7];
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_globals({});
        tortamos::settings_file::setBusyTimeout(200ms);
        std::filesystem::create_directories(file().parent_path());
    }
    void TearDown() override
    {
        tortamos::settings_file::setBusyTimeout(tortamos::settings_file::kBusyTimeout);
    }

    std::filesystem::path file() const { return device.path(tortamos::settings_file::kPath); }
    void install(const std::string& sql) { ASSERT_EQ(SettingsDb(file()).exec(sql), SQLITE_OK); }
    std::vector<std::string> table() { return SettingsDb(file()).table(); }

    TempDevice device;
};

// What the file gives (or does not) is the settings file's own contract; here, only what the
// application does with it: its variables stay as they were when no row is read, and a save that
// wrote nothing says so.
TEST_F(SettingsFileTest, AFileThatGivesNoRowLeavesTheValuesAsTheyWere)
{
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"missing", [] {}},
        {"empty", [&] { std::ofstream{file()}; }},
        {"no database", [&] { std::ofstream(file()) << "bBadge=1\n"; }},
        {"no rows", [&] { install("CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove(file());
        make();
        set_globals({1, 0, 1, 0, 1, 8, 15, 0});
        settings::updateDatabase();
        settings::loadListSettings();
        settings::loadAllSettings();
        EXPECT_FALSE(settings::saveAllSettings());
        EXPECT_EQ(globals(), (Values{1, 0, 1, 0, 1, 8, 15, 0}));
    }
}

TEST_F(SettingsFileTest, EachValueComesFromAndGoesBackToItsOwnColumn)
{
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

TEST_F(SettingsFileTest, ListLoadLogsAndReadsOnlyItsThreeValues)
{
    install(std::string(kCurrentLayout) + "INSERT INTO Settings VALUES (1, 1, 1, 1, 1, 11, 0, 1);");
    testing::internal::CaptureStderr();
    settings::loadListSettings();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("] initializeDatabase...\n"),
              std::string::npos);
    EXPECT_EQ(globals(), (Values{1, 1, 1, 0, 0, 0, 0, 0}));
}

} // namespace
