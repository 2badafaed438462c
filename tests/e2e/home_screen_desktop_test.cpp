// The home screen on a person's desktop, on a private session bus with the test desktop services:
// in the background with a tray item, the badge on the dock, one home screen per device, the
// desktop notification that opens the application and names who has a birthday; and without a
// tray, the reminders that outlive every window.
#include "PrivateDisplay.h"
#include "PrivateSessionBus.h"
#include "SettingsTable.h"
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

const std::string kBin = TORTAMOS_BIN_DIR;
const std::string kBadge = " badge com.Qarvex.Tortamos ";
const std::string kDock = "dock application://tortamos.desktop ";

std::string output_of(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::pclose(pipe);
    }
    return out;
}

// The icon hash of the last tray line holding the text, "" when there is none.
std::string tray_icon(const std::string& heard, const std::string& text)
{
    const size_t at = heard.rfind(text);
    if (at == std::string::npos)
        return "";
    const size_t icon = heard.find(" icon=", at);
    return heard.substr(icon + 6, heard.find('\n', icon) - icon - 6);
}

class HomeScreenOnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install_built_device(device));
        ASSERT_FALSE(bus.address().empty()) << "dbus-daemon gave no address";
        ASSERT_TRUE(bus.serving()) << "the test desktop services did not come up";
    }
    std::string contacts(const std::string& arguments)
    {
        return output_of("DEVICE_ROOT='" + device.root().string() + "' " + kBin + "/contacts " +
                         arguments);
    }
    std::string bus_env() const { return "DBUS_SESSION_BUS_ADDRESS=" + bus.address(); }

    TempDevice device;
    PrivateSessionBus bus{device, true};
};

TEST_F(HomeScreenOnTheDesktop, WaitsInTheTrayWithTheBadgeOnItAndOnTheDockAndStaysTheOnlyOne)
{
    PrivateDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    SpringBoardProcess home(device, "2024-05-10 09:00:00",
                            {bus_env(), "DISPLAY=" + display.name(), "QT_QPA_PLATFORM=xcb"},
                            {"--background"});
    std::string heard = bus.wait_for("tray Tortamos Home Screen icon=");
    const std::string plain = tray_icon(heard, "tray Tortamos Home Screen icon=");
    ASSERT_FALSE(plain.empty()) << heard;

    const std::string id = contacts("add --first Ana --birthday 1990-05-10");
    ASSERT_NE(wait_for_journal(device, kBadge + "\"1\"").find(kBadge + "\"1\""), std::string::npos);
    heard = bus.wait_for("Tortamos: 1 icon=");
    EXPECT_NE(heard.find(kDock + "count=1 visible=true"), std::string::npos) << heard;
    const std::string counted = tray_icon(heard, "Tortamos: 1 icon=");
    EXPECT_NE(counted, "") << heard;
    EXPECT_NE(counted, plain) << "the count is drawn on the icon";

    contacts("remove " + id.substr(0, id.find('\n')));
    ASSERT_NE(wait_for_journal(device, kBadge + "\"\"").find(kBadge + "\"\""), std::string::npos);
    heard = bus.wait_for(kDock + "count=0 visible=false");
    EXPECT_NE(heard.find(kDock + "count=0 visible=false"), std::string::npos) << heard;
    EXPECT_EQ(tray_icon(bus.wait_for("tray Tortamos Home Screen icon=" + plain),
                        "tray Tortamos Home Screen icon="),
              plain);

    // A second start, as from the menu, shows the first one's window and leaves.
    const std::string second = "DEVICE_ROOT='" + device.root().string() + "' " + bus_env() +
                               " QT_QPA_PLATFORM=offscreen '" +
                               SpringBoardProcess::program(device) + "'";
    EXPECT_EQ(run_command(second), 0);
    EXPECT_NE(wait_for_journal(device, "notify com.apple.springboard.showHomeScreen")
                  .find("notify com.apple.springboard.showHomeScreen"),
              std::string::npos);
    EXPECT_TRUE(home.running());
}

TEST_F(HomeScreenOnTheDesktop, ClickOnTheNotificationOpensTheApplication)
{
    // The application stands in as a script: only its start is looked for.
    const auto app = device.path("/Applications/Tortamos.app/Tortamos");
    std::filesystem::remove(app);
    std::ofstream(app) << "#!/bin/sh\nexit 0\n";
    std::filesystem::permissions(app, std::filesystem::perms::owner_all);
    contacts("add --first Ana --birthday 1990-05-10");
    ASSERT_TRUE(settings_exec(device.path(kSettingsFile),
                              "UPDATE Settings SET iTimerHour=9, iTimerMinute=1, bPopup=1"));
    SpringBoardProcess home(device, "2024-05-10 09:00:30", {bus_env()});

    const std::string heard = bus.wait_for(" id=1 ");
    EXPECT_NE(heard.find("|You have birthdays today|Ana|suppress-sound=true id=1 replaces=0 "
                         "actions=default,You have birthdays today"),
              std::string::npos)
        << heard;

    ASSERT_EQ(
        run_command("DBUS_SESSION_BUS_ADDRESS='" + bus.address() +
                    "' dbus-send --session --print-reply --dest=org.freedesktop.Notifications "
                    "/org/freedesktop/Notifications org.freedesktop.Notifications.Invoke uint32:1 "
                    ">/dev/null"),
        0);
    const std::string journal = wait_for_journal(device, " launch com.Qarvex.Tortamos");
    EXPECT_NE(journal.find(" launch com.Qarvex.Tortamos"), std::string::npos) << journal;
    EXPECT_TRUE(home.running());
}

// The desktop is told who has a birthday, in one line however many, and keeps the notification
// until the user answers it.
TEST_F(HomeScreenOnTheDesktop, TheNotificationNamesTodaysPersonsAndStaysUntilDismissed)
{
    for (const char* name : {"--first Ana --last Lima", "--first João --last Silva",
                             "--first Carla --last Dias", "--first Duda"})
        contacts("add " + std::string(name) + " --birthday 1990-05-10");
    ASSERT_TRUE(settings_exec(device.path(kSettingsFile),
                              "UPDATE Settings SET iTimerHour=9, iTimerMinute=1, bPopup=1"));
    SpringBoardProcess home(device, "2024-05-10 09:00:30", {bus_env()});

    const std::string heard = bus.wait_for(" id=1 ");
    EXPECT_NE(heard.find("|You have birthdays today|Ana Lima, João Silva and 2 more|"
                         "suppress-sound=true id=1 replaces=0 actions=default,You have birthdays "
                         "today expire=0\n"),
              std::string::npos)
        << heard;
    const std::string journal = device.journal();
    EXPECT_NE(journal.find(" alert \"Tortamos\" \"You have birthdays today\" \"Dismiss\"\n"),
              std::string::npos)
        << "the pop-up as it always was: " << journal;
}

// A desktop without a tray: GNOME without its AppIndicator extension, or a panel that starts
// after the login.
class HomeScreenWithoutATray : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install_built_device(device));
        ASSERT_TRUE(bus.serving()) << "the test notification service did not come up";
        ASSERT_EQ(run_command("DEVICE_ROOT='" + device.root().string() + "' " + kBin +
                              "/contacts add --first Ana --birthday 1990-05-10 >/dev/null"),
                  0);
    }
    std::string bus_env() const { return "DBUS_SESSION_BUS_ADDRESS=" + bus.address(); }

    TempDevice device;
    PrivateSessionBus bus{device};
};

TEST_F(HomeScreenWithoutATray, StartsInTheBackgroundWithoutAWindowAndATrayThatComesLaterGetsTheItem)
{
    PrivateDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    SpringBoardProcess home(device, "2024-05-10 09:00:00",
                            {bus_env(), "DISPLAY=" + display.name(), "QT_QPA_PLATFORM=xcb"},
                            {"--background"});
    std::string journal = wait_for_journal(device, kBadge + "\"1\"");
    ASSERT_NE(journal.find(kBadge + "\"1\""), std::string::npos) << journal;
    EXPECT_EQ(journal.find(" show com.apple.springboard"), std::string::npos) << journal;

    ASSERT_TRUE(bus.start_late_tray()) << "the late tray did not come up";
    const auto deadline = std::chrono::steady_clock::now() + kJournalPatience;
    while (bus.late_tray_heard().find("tray Tortamos Home Screen") == std::string::npos &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NE(bus.late_tray_heard().find("tray Tortamos Home Screen / Tortamos: 1 icon="),
              std::string::npos)
        << bus.late_tray_heard();

    // The menu's "Tortamos Home Screen" shows the running one's window.
    EXPECT_EQ(run_command("DEVICE_ROOT='" + device.root().string() + "' " + bus_env() +
                          " QT_QPA_PLATFORM=offscreen '" + SpringBoardProcess::program(device) +
                          "'"),
              0);
    journal = wait_for_journal(device, " show com.apple.springboard");
    EXPECT_NE(journal.find(" show com.apple.springboard"), std::string::npos) << journal;
    EXPECT_TRUE(home.running());
}

TEST_F(HomeScreenWithoutATray, ClosingTheShownWindowLeavesTheRemindersRunning)
{
    ASSERT_TRUE(settings_exec(device.path(kSettingsFile),
                              "UPDATE Settings SET iTimerHour=9, iTimerMinute=1, bPopup=1"));
    // The script fails the program (exit status 3) when there is no window to close.
    const auto script = device.path("/close.script");
    std::ofstream(script) << "close\n";
    SpringBoardProcess home(device, "2024-05-10 09:00:30",
                            {bus_env(), "UIKIT_AUTOMATION=" + script.string()});

    const std::string journal = wait_for_journal(device, " alert \"Tortamos\"");
    const auto lines = lines_since_launch(journal);
    EXPECT_EQ(lines_of(lines, "alert \"Tortamos\" \"You have birthdays today\"").size(), 1u)
        << journal;
    EXPECT_TRUE(home.running());
    EXPECT_NE(bus.wait_for("|You have birthdays today|Ana|").find("|You have birthdays today|Ana|"),
              std::string::npos);

    // Quitting the reminders from the command line asks first, saying for how long, and ends
    // nothing by itself.
    const std::string question = "alert \"Quit Reminders?\" \"Birthday reminders stay off until "
                                 "your next login.\" \"Cancel\" \"Quit Reminders\"";
    EXPECT_EQ(run_command("DEVICE_ROOT='" + device.root().string() + "' " + bus_env() +
                          " QT_QPA_PLATFORM=offscreen '" + SpringBoardProcess::program(device) +
                          "' --quit"),
              0);
    EXPECT_NE(wait_for_journal(device, question).find(question), std::string::npos);
    EXPECT_TRUE(home.running());
}

} // namespace
