#include "AgentFixture.h"
#include "SettingsDb.h"
#include "shared/SettingsFile.h"

#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <utility>

namespace {

class SettingsRead : public AgentFixture {
protected:
    void SetUp() override
    {
        AgentFixture::SetUp();
        clock.set(at(2009, 3, 10, 12, 0));
        set_values();
    }
    void set_values()
    {
        bBadge = 7, bSound = 7, bPopup = 7, iTimerHour = 7, iTimerMinute = 7, iStandby = 7;
        bPlayAlerts = false;
    }
    void expect_unchanged()
    {
        EXPECT_EQ(std::tie(bBadge, bSound, bPopup, iTimerHour, iTimerMinute, iStandby),
                  std::make_tuple(7, 7, 7, 7, 7, 7));
        EXPECT_FALSE(bPlayAlerts);
    }
    // A file that says nothing is an answer: it is not read again until the next notice.
    void expect_answered()
    {
        expect_unchanged();
        EXPECT_FALSE(bSettingsUnread);
    }
    void exec(const std::string& sql)
    {
        ASSERT_EQ(SettingsDb(device.path(databasePath)).exec(sql), SQLITE_OK) << sql;
    }
};

TEST_F(SettingsRead, ReadsTheSixColumnsAsTheyStand)
{
    write_settings(2, 1, 2, 23, 59, 2);
    SetConfig();
    EXPECT_EQ(std::tie(bBadge, bSound, bPopup, iTimerHour, iTimerMinute, iStandby),
              std::make_tuple(2, 1, 2, 23, 59, 2));
    EXPECT_TRUE(bPlayAlerts) << "12:00 is before 23:59";
}

// Cut to 32 bits, bBadge 2^32 would read 0 and hide the badge the file asks for, and bSound
// 2^32 + 1 would read 1; an hour beyond the range must never qualify.
TEST_F(SettingsRead, ValuesBeyond32BitsKeepTheirMeaning)
{
    write_settings(1, 1, 1, 11, 0, 0);
    exec("UPDATE Settings SET bBadge = 4294967296, bSound = 4294967297, bPopup = -4294967295, "
         "iTimerHour = 4294967307, iTimerMinute = -9223372036854775808, iStandby = 4294967297;");
    SetConfig();
    EXPECT_EQ(std::tie(bBadge, bSound, bPopup, iTimerHour, iTimerMinute, iStandby),
              std::make_tuple(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX));
    EXPECT_TRUE(bPlayAlerts) << "12:00 is before an hour beyond any day";

    add_birthday(1980, 3, 10);
    SearchNivers();
    EXPECT_EQ(take_events(), std::vector<std::string>{"badge 1"})
        << "a badge value other than 0 is on";
    dateActive = clock.now();
    birthdaysActivate();
    EXPECT_EQ(take_events(), std::vector<std::string>{}) << "no sound, no pop-up, no hour reached";
}

// What the file gives is the settings file's own contract; the agent adds that a file which gives
// no row is an answer: nothing changes and it is not read again until the next notice.
TEST_F(SettingsRead, AFileThatGivesNoRowChangesNothingAndIsAnAnswer)
{
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"missing", [] {}},
        {"older layout",
         [&] {
             exec("CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
                  "INSERT INTO Settings VALUES (1, 0);");
         }},
        {"no rows", [&] { write_settings(1, 1, 1, 23, 0, 0), exec("DELETE FROM Settings;"); }},
        {"no database",
         [&] {
             std::ofstream(device.path(databasePath))
                 << "not a database at all, but long enough to look";
         }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::create_directories(device.path(databasePath).parent_path());
        std::filesystem::remove(device.path(databasePath));
        make();
        set_values();
        bSettingsUnread = true; // as after a failed read
        SetConfig();
        expect_answered();
    }
}

// Another program holds the settings file past the busy timeout as the home screen starts: the
// failed read takes no value for 0, and each ten-second check reads again until one read succeeds
// and recounts with what it read.
TEST_F(SettingsRead, ABusyFileIsReadAgainAtEachTenSecondCheckUntilOneReadSucceeds)
{
    write_settings(0, 1, 1, 11, 0, 0);
    add_birthday(1980, 3, 10);
    tortamos::settings_file::setBusyTimeout(std::chrono::milliseconds(50));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(device.path(databasePath).c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    SetConfig();
    expect_unchanged();
    EXPECT_TRUE(bSettingsUnread);
    birthdaysActivate2();
    birthdaysActivate2();
    expect_unchanged();
    EXPECT_EQ(take_events(), std::vector<std::string>{"badge 1"}) << "the first check's count only";

    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    tortamos::settings_file::setBusyTimeout(tortamos::settings_file::kBusyTimeout);
    birthdaysActivate2();
    EXPECT_EQ(std::tie(bBadge, bSound, bPopup, iTimerHour, iTimerMinute, iStandby),
              std::make_tuple(0, 1, 1, 11, 0, 0));
    EXPECT_FALSE(bSettingsUnread);
    EXPECT_EQ(take_events(), std::vector<std::string>{"badge "}) << "recounted with the badge off";
    birthdaysActivate2();
    EXPECT_EQ(take_events(), std::vector<std::string>{});
}

} // namespace
