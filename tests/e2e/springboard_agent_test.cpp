// The home screen with the agent loaded, on a device laid out by install-device: the badge of
// today's birthdays, the change notice, the daily alert and its sound, on the desktop too. The
// clock runs ten times faster and the machine may be busy, so every time is taken relative to
// the home screen's launch line in the journal; what the agent promises is the order and the
// count of what it does, and that nothing comes early.
#include "PrivateSessionBus.h"
#include "SettingsTable.h"
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

const std::string kBin = TORTAMOS_BIN_DIR;
const std::string kBadge = "badge com.Qarvex.Tortamos ";
const std::string kAlert = "alert \"Tortamos\" \"You have birthdays today\" \"Dismiss\"";
const std::string kAlertSound = "sound /var/mobile/Library/Tortamos/birthday.wav";
// The first checks come 10 and 59 seconds after the launch; a journal time keeps milliseconds.
constexpr double kFirstWatchCheck = 10.0 - 0.01;
constexpr double kFirstMinuteCheck = 59.0 - 0.01;

double at_time_of_day(int hour, int minute) { return hour * 3600.0 + minute * 60.0; }

class HomeScreenWithAgent : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(install_built_device(device)); }
    void add_person(const std::string& first, const std::string& birthday)
    {
        ASSERT_EQ(run_command(kBin + "/contacts add --first " + first + " --birthday " + birthday +
                              " >/dev/null"),
                  0);
    }
    void set_settings(const std::string& assignments)
    {
        ASSERT_TRUE(
            settings_exec(device.path(kSettingsFile), "UPDATE Settings SET " + assignments));
    }

    TempDevice device;
};

TEST_F(HomeScreenWithAgent, BadgeComesAtTheFirstTenSecondTickAndFollowsTheAddressBook)
{
    add_person("Ana", "1990-05-10");
    add_person("Bruno", "1985-05-11");
    SpringBoardProcess home(device, "2024-05-10 09:00:00");

    std::string journal = wait_for_journal(device, kBadge + "\"1\"");
    auto lines = lines_since_launch(journal);
    ASSERT_FALSE(lines.empty()) << journal;
    const auto badges = lines_of(lines, kBadge);
    ASSERT_EQ(badges.size(), 1u) << journal;
    EXPECT_EQ(badges[0].event, kBadge + "\"1\"");
    EXPECT_GE(badges[0].seconds - lines[0].seconds, kFirstWatchCheck)
        << "the first tick, not the launch";

    add_person("Carla", "2001-05-10");
    journal = wait_for_journal(device, kBadge + "\"2\"");
    EXPECT_NE(journal.find(kBadge + "\"2\""), std::string::npos) << journal;
    EXPECT_TRUE(home.running());
}

TEST_F(HomeScreenWithAgent, ChangeNoticeMakesTheAgentReadTheSettingsAgain)
{
    add_person("Ana", "1990-05-10");
    SpringBoardProcess home(device, "2024-05-10 09:00:00");
    ASSERT_NE(wait_for_journal(device, kBadge + "\"1\"").find(kBadge + "\"1\""), std::string::npos);

    set_settings("bBadge=0");
    ASSERT_EQ(run_command(kBin + "/notifyutil -p kTortamosBadge"), 0);
    const std::string journal = wait_for_journal(device, kBadge + "\"\"");
    EXPECT_NE(journal.find("notify kTortamosBadge"), std::string::npos) << journal;
    EXPECT_NE(journal.find(kBadge + "\"\""), std::string::npos) << journal;
}

TEST_F(HomeScreenWithAgent, AlertAndSoundComeAtTheSetMinute)
{
    add_person("Ana", "1990-05-10");
    set_settings("iTimerHour=9, iTimerMinute=1, bPopup=1, bSound=1");
    SpringBoardProcess home(device, "2024-05-10 09:00:30");

    const auto lines = lines_since_launch(wait_for_journal(device, kAlertSound));
    ASSERT_FALSE(lines.empty());
    const auto alerts = lines_of(lines, kAlert);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_GE(alerts[0].seconds, at_time_of_day(9, 1)) << "not before the set time";
    EXPECT_GE(alerts[0].seconds - lines[0].seconds, kFirstMinuteCheck) << "at a minute check";
    const auto sounds = lines_of(lines, kAlertSound);
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_GE(sounds[0].seconds, alerts[0].seconds);
    const auto badges = lines_of(lines, kBadge + "\"1\"");
    ASSERT_FALSE(badges.empty());
    EXPECT_LT(badges[0].seconds, alerts[0].seconds);
}

// The alert came at 09:01 and the user moves the time two minutes past the minute it came in:
// the application's notice on leaving arms it again, and it comes a second time at the new time.
TEST_F(HomeScreenWithAgent, MovingTheTimeLaterAfterTheAlertBringsItAgainAtTheNewTime)
{
    add_person("Ana", "1990-05-10");
    set_settings("iTimerHour=9, iTimerMinute=1, bPopup=1, bSound=0");
    SpringBoardProcess home(device, "2024-05-10 09:00:30");

    const auto first = lines_of(lines_since_launch(wait_for_journal(device, kAlert)), kAlert);
    ASSERT_EQ(first.size(), 1u);
    const int later = static_cast<int>(first[0].seconds / 60) + 2; // minute of the day
    set_settings("iTimerHour=" + std::to_string(later / 60) +
                 ", iTimerMinute=" + std::to_string(later % 60));
    ASSERT_EQ(run_command(kBin + "/notifyutil -p kTortamosBadge"), 0);

    // The notice's line is written by notifyutil, on the real clock: only its place counts.
    const std::string journal = wait_for_journal_count(device, kAlert, 2);
    const size_t notice = journal.find("notify kTortamosBadge");
    ASSERT_NE(notice, std::string::npos) << journal;
    EXPECT_LT(journal.find(kAlert), notice);
    EXPECT_GT(journal.rfind(kAlert), notice) << journal;
    const auto alerts = lines_of(lines_since_launch(journal), kAlert);
    ASSERT_EQ(alerts.size(), 2u) << journal;
    EXPECT_GE(alerts[1].seconds, later * 60.0) << "not before the new time";
    EXPECT_TRUE(home.running());
}

// A window may stay open for days: a Save in it reaches the agent at once, and the new time alerts
// while the window is still open. The new time is in the settings file before Tortamos opens, so
// its screen shows and saves it; the agent, which reads the file only at a notice, hears of it
// only through the Save. Tortamos runs on the real clock and the agent on its sped-up one, so
// only the order of the journal's lines counts: the notice at the quit closes the window's time.
TEST_F(HomeScreenWithAgent, ASaveWithTheAppOpenAlertsAtTheNewTimeBeforeTheQuit)
{
    add_person("Ana", "1990-05-10");
    set_settings("iTimerHour=11, iTimerMinute=0, bPopup=1, bSound=0");
    SpringBoardProcess home(device, "2024-05-10 09:00:30");
    const auto ticked = lines_of(lines_since_launch(wait_for_journal(device, kBadge)), kBadge);
    ASSERT_FALSE(ticked.empty());
    // Three minutes of the sped-up clock: the window opens and saves before them, even when slow.
    const int later = static_cast<int>(ticked[0].seconds / 60) + 3; // minute of the day
    set_settings("iTimerHour=" + std::to_string(later / 60) +
                 ", iTimerMinute=" + std::to_string(later % 60));

    const auto script = device.path("/script.txt");
    std::ofstream(script) << "wait 100\ntap Settings\nwait 300\ntap Save\nwait 60000\nquit\n";
    ASSERT_EQ(run_command("UIKIT_AUTOMATION='" + script.string() +
                          "' QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=unix:path='" +
                          device.path("/no-bus").string() + "' '" +
                          device.path("/Applications/Tortamos.app/Tortamos").string() +
                          "' 2>/dev/null </dev/null"),
              0);

    const std::string journal = device.journal();
    const std::string notice = "notify kTortamosBadge";
    const size_t saved = journal.find(notice);
    ASSERT_NE(saved, std::string::npos) << journal;
    const size_t quit = journal.find(notice, saved + 1);
    ASSERT_NE(quit, std::string::npos) << "the quit's notice\n" << journal;
    const size_t alert = journal.find(kAlert);
    EXPECT_GT(alert, saved) << journal;
    EXPECT_LT(alert, quit) << "the alert came with the window open\n" << journal;
    const auto alerts = lines_of(lines_since_launch(journal), kAlert);
    ASSERT_EQ(alerts.size(), 1u) << journal;
    EXPECT_GE(alerts[0].seconds, later * 60.0) << "not before the new time";
    EXPECT_TRUE(home.running());
}

// A home screen started again the same day (a new login, a crash) keeps the day's alert shown:
// past its first minute check, which the change notice posted then proves, no second one came.
TEST_F(HomeScreenWithAgent, AHomeScreenStartedAgainTheSameDayDoesNotAlertAgain)
{
    add_person("Ana", "1990-05-10");
    set_settings("iTimerHour=9, iTimerMinute=1, bPopup=1, bSound=0");
    {
        SpringBoardProcess first(device, "2024-05-10 09:00:30");
        ASSERT_NE(wait_for_journal(device, kAlert).find(kAlert), std::string::npos);
    }
    SpringBoardProcess again(device, "2024-05-10 09:03:00");
    ASSERT_NE(wait_for_journal_count(device, kBadge + "\"1\"", 2).find(kBadge), std::string::npos);
    std::this_thread::sleep_for(
        std::chrono::milliseconds(59'000 / SpringBoardProcess::kSpeed + 700));
    ASSERT_EQ(run_command(kBin + "/notifyutil -p kTortamosBadge"), 0);

    std::string journal = wait_for_journal_count(device, kBadge + "\"1\"", 3);
    journal =
        journal.substr(journal.rfind('\n', journal.rfind(" launch com.apple.springboard")) + 1);
    const auto lines = lines_since_launch(journal);
    ASSERT_FALSE(lines.empty()) << journal;
    const auto badges = lines_of(lines, kBadge);
    ASSERT_EQ(badges.size(), 2u) << journal;
    EXPECT_GE(badges[1].seconds - lines[0].seconds, kFirstMinuteCheck)
        << "the notice came after the first minute check";
    EXPECT_TRUE(lines_of(lines, kAlert).empty()) << journal;
    EXPECT_TRUE(again.running());
}

// A device where the home screen cannot take its lock has no reminders: that is said, on
// standard error, in the journal and in the exit status, never taken for another home screen.
TEST_F(HomeScreenWithAgent, ALockThatCannotBeTakenIsAFailureThatSaysWhy)
{
    std::filesystem::remove_all(device.path("/var/run"));
    std::ofstream(device.path("/var/run")) << "not a folder\n";
    const auto said = device.path("/stderr");
    EXPECT_EQ(run_command("DEVICE_ROOT='" + device.root().string() +
                          "' QT_QPA_PLATFORM=offscreen '" + SpringBoardProcess::program(device) +
                          "' 2>'" + said.string() + "'"),
              1);
    std::ifstream in(said);
    const std::string message{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(message.find("cannot open " + device.path("/var/run/SpringBoard.lock").string()),
              std::string::npos)
        << message;
    EXPECT_NE(device.journal().find(" home screen not started: cannot open"), std::string::npos);
}

TEST_F(HomeScreenWithAgent, AlertReachesTheDesktopsNotificationsOnceAtTheSetMinute)
{
    add_person("Ana", "1990-05-10");
    set_settings("iTimerHour=9, iTimerMinute=1, bPopup=1, bSound=1");
    PrivateSessionBus bus(device);
    ASSERT_FALSE(bus.address().empty()) << "dbus-daemon gave no address";
    ASSERT_TRUE(bus.serving()) << "the test notification service did not come up";
    SpringBoardProcess home(device, "2024-05-10 09:00:30",
                            {"DBUS_SESSION_BUS_ADDRESS=" + bus.address()});

    const auto lines = lines_since_launch(wait_for_journal(device, kAlertSound));
    const auto alerts = lines_of(lines, kAlert);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_GE(alerts[0].seconds, at_time_of_day(9, 1)) << "not before the set time";

    const std::string icon =
        "file://" + device.path("/Applications/Tortamos.app/icon.png").string();
    const std::string expected =
        "Tortamos|" + icon + "|You have birthdays today|Ana|suppress-sound=true\n";
    std::string notifications = bus.notifications();
    const auto deadline = std::chrono::steady_clock::now() + kJournalPatience;
    while (notifications.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        notifications = bus.notifications();
    }
    EXPECT_EQ(notifications, expected);
    // The next 59-second ticks of the day send nothing more.
    std::this_thread::sleep_for(
        std::chrono::milliseconds(59'000 / SpringBoardProcess::kSpeed + 700));
    EXPECT_EQ(bus.notifications(), expected);
    EXPECT_TRUE(home.running());
}

} // namespace
