// The home screen on a person's desktop, on a private session bus with the test desktop services:
// in the background with a tray item, the badge on the dock, one home screen per device, and the
// desktop notification that opens the application.
#include "PrivateDisplay.h"
#include "PrivateSessionBus.h"
#include "SettingsTable.h"
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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
    EXPECT_NE(heard.find("|Tortamos|You have birthdays today|suppress-sound=true id=1 replaces=0 "
                         "actions=default,Tortamos"),
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

} // namespace
