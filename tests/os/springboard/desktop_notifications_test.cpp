#include "DesktopNotifications.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using springboard::desktop_notification;
using springboard::InstalledApplication;

InstalledApplication application(const std::string& name, const std::filesystem::path& icon)
{
    return {"com.example." + name, name, icon.parent_path(), icon.parent_path() / name, icon, ""};
}

TEST(DesktopNotification, AnAlertTitledWithAnApplicationsNameComesFromItWithItsIcon)
{
    TempDevice device;
    const auto folder = device.path("/Applications");
    std::filesystem::create_directories(folder / "Two Words.app");
    const auto icon = folder / "Two Words.app/icon.png";
    std::ofstream(icon) << "png";
    const std::vector<InstalledApplication> apps{
        application("Clock", folder / "Clock.app/icon.png"), application("Two Words", icon)};

    const auto found =
        desktop_notification(apps, "Two Words", "You have birthdays today", "2024-05-10");
    EXPECT_EQ(found.appName, "Two Words");
    EXPECT_EQ(found.appIcon, "file://" + folder.string() + "/Two%20Words.app/icon.png");
    EXPECT_EQ(found.summary, "Two Words");
    EXPECT_EQ(found.body, "You have birthdays today");
    // One notification per application and day: the next alert of the day takes its place.
    EXPECT_EQ(found.tag, desktop_notification(apps, "Two Words", "Again", "2024-05-10").tag);
    EXPECT_NE(
        found.tag,
        desktop_notification(apps, "Two Words", "You have birthdays today", "2024-05-11").tag);
    EXPECT_NE(found.tag,
              desktop_notification(apps, "Clock", "You have birthdays today", "2024-05-10").tag);

    // An application whose icon file is missing still names itself, without an icon.
    const auto iconless = desktop_notification(apps, "Clock", "Alarm", "2024-05-10");
    EXPECT_EQ(iconless.appName, "Clock");
    EXPECT_EQ(iconless.appIcon, "");

    // Any other alert is the home screen's own.
    const auto other = desktop_notification(apps, "two words", "Low battery", "2024-05-10");
    EXPECT_EQ(other.appName, "SpringBoard");
    EXPECT_EQ(other.appIcon, "");
    EXPECT_EQ(other.summary, "two words");
    EXPECT_TRUE(other.untilDismissed) << "an alert waits for an answer";
}

// An alert about persons has its message for a headline and names them, however many, in one line.
TEST(DesktopNotification, AnAlertAboutPersonsNamesThem)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"Ana Lima"}, "Ana Lima"},
        {{"Ana Lima", "João Silva"}, "Ana Lima and João Silva"},
        {{"Ana Lima", "João Silva", "Carla"}, "Ana Lima, João Silva and Carla"},
        {{"Ana Lima", "João Silva", "Carla", "Duda"}, "Ana Lima, João Silva and 2 more"},
    };
    for (const auto& [names, line] : cases) {
        const auto found = desktop_notification({}, "Tortamos", "Birthdays", "2024-05-10", names);
        EXPECT_EQ(found.summary, "Birthdays");
        EXPECT_EQ(found.body, line);
        EXPECT_TRUE(found.untilDismissed);
    }
}

} // namespace
