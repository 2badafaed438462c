// The home screen with the agent loaded, on a device laid out by install-device: the badge of
// today's birthdays, the change notice, the daily alert and its sound, on the desktop too.
#include "PrivateSessionBus.h"
#include "SettingsTable.h"
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

const std::string kBin = TORTAMOS_BIN_DIR;
const std::string kBadge = " badge com.Qarvex.Tortamos ";

// "HH:MM:SS" of the journal line holding the position.
std::string time_of_line(const std::string& journal, size_t at) {
    const size_t start = journal.rfind('\n', at);
    const size_t t = journal.find('T', start == std::string::npos ? 0 : start);
    return journal.substr(t + 1, 8);
}

class HomeScreenWithAgent : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(install_built_device(device));
    }
    void add_person(const std::string& first, const std::string& birthday) {
        ASSERT_EQ(run_command(kBin + "/contacts add --first " + first + " --birthday " + birthday +
                              " >/dev/null"),
                  0);
    }
    void set_settings(const std::string& assignments) {
        ASSERT_TRUE(settings_exec(device.path(kSettingsFile), "UPDATE Settings SET " + assignments));
    }

    TempDevice device;
};

TEST_F(HomeScreenWithAgent, BadgeComesAtTheFirstTenSecondTickAndFollowsTheAddressBook) {
    add_person("Ana", "1990-05-10");
    add_person("Bruno", "1985-05-11");
    SpringBoardProcess home(device, "2024-05-10 09:00:00");

    std::string journal = wait_for_journal(device, kBadge + "\"1\"");
    const size_t first = journal.find(kBadge + "\"1\"");
    ASSERT_NE(first, std::string::npos) << journal;
    EXPECT_GE(time_of_line(journal, first), "09:00:09") << "the first tick, not the launch";
    EXPECT_LT(time_of_line(journal, first), "09:00:30") << journal;

    add_person("Carla", "2001-05-10");
    journal = wait_for_journal(device, kBadge + "\"2\"");
    EXPECT_NE(journal.find(kBadge + "\"2\""), std::string::npos) << journal;
    EXPECT_TRUE(home.running());
}

TEST_F(HomeScreenWithAgent, ChangeNoticeMakesTheAgentReadTheSettingsAgain) {
    add_person("Ana", "1990-05-10");
    SpringBoardProcess home(device, "2024-05-10 09:00:00");
    ASSERT_NE(wait_for_journal(device, kBadge + "\"1\"").find(kBadge + "\"1\""), std::string::npos);

    set_settings("bBadge=0");
    ASSERT_EQ(run_command(kBin + "/notifyutil -p kTortamosBadge"), 0);
    const std::string journal = wait_for_journal(device, kBadge + "\"\"");
    EXPECT_NE(journal.find("notify kTortamosBadge"), std::string::npos) << journal;
    EXPECT_NE(journal.find(kBadge + "\"\""), std::string::npos) << journal;
}

TEST_F(HomeScreenWithAgent, AlertAndSoundComeAtTheSetMinute) {
    add_person("Ana", "1990-05-10");
    set_settings("iTimerHour=9, iTimerMinute=1, bPopup=1, bSound=1");
    SpringBoardProcess home(device, "2024-05-10 09:00:30");

    const std::string alert = " alert \"Tortamos\" \"You have birthdays today\" \"Dismiss\"";
    const std::string journal = wait_for_journal(device, " sound /var/mobile/Library/Tortamos/birthday.wav");
    const size_t shown = journal.find(alert);
    ASSERT_NE(shown, std::string::npos) << journal;
    EXPECT_EQ(time_of_line(journal, shown).substr(0, 5), "09:01") << journal;
    EXPECT_NE(journal.find(" sound /var/mobile/Library/Tortamos/birthday.wav", shown), std::string::npos)
        << journal;
    EXPECT_LT(journal.find(kBadge + "\"1\""), shown) << journal;
}

TEST_F(HomeScreenWithAgent, AlertReachesTheDesktopsNotificationsOnceAtTheSetMinute) {
    add_person("Ana", "1990-05-10");
    set_settings("iTimerHour=9, iTimerMinute=1, bPopup=1, bSound=1");
    PrivateSessionBus bus(device);
    ASSERT_FALSE(bus.address().empty()) << "dbus-daemon gave no address";
    ASSERT_TRUE(bus.serving()) << "the test notification service did not come up";
    SpringBoardProcess home(device, "2024-05-10 09:00:30", {"DBUS_SESSION_BUS_ADDRESS=" + bus.address()});

    const std::string alert = " alert \"Tortamos\" \"You have birthdays today\" \"Dismiss\"";
    const std::string journal = wait_for_journal(device, " sound /var/mobile/Library/Tortamos/birthday.wav");
    const size_t shown = journal.find(alert);
    ASSERT_NE(shown, std::string::npos) << journal;
    EXPECT_EQ(time_of_line(journal, shown).substr(0, 5), "09:01") << journal;

    const std::string icon = "file://" + device.path("/Applications/Tortamos.app/icon.png").string();
    const std::string expected =
        "Tortamos|" + icon + "|Tortamos|You have birthdays today|suppress-sound=true\n";
    std::string notifications = bus.notifications();
    for (int i = 0; i < 50 && notifications.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        notifications = bus.notifications();
    }
    EXPECT_EQ(notifications, expected);
    // The next 59-second ticks of the day send nothing more.
    std::this_thread::sleep_for(std::chrono::milliseconds(59'000 / SpringBoardProcess::kSpeed + 700));
    EXPECT_EQ(bus.notifications(), expected);
    EXPECT_TRUE(home.running());
}

} // namespace
