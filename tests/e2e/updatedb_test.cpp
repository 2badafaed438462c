#include "SettingsTable.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const std::string kTortamos = std::string(TORTAMOS_APP_DIR) + "/Tortamos";

void install_older_settings(const TempDevice& device)
{
    ASSERT_TRUE(settings_exec(device.path(kSettingsFile),
                              "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
                              "INSERT INTO Settings VALUES (1, 0);"));
}

TEST(UpdateDbOption, UpgradesAnOlderFileAndSucceeds)
{
    TempDevice device;
    install_older_settings(device);
    EXPECT_EQ(run_command(kTortamos + " -updateDB"), 0);
    EXPECT_EQ(settings_table(device.path(kSettingsFile)).at(1), "1|0|0|1|1|11|0|0");
}

TEST(UpdateDbOption, SucceedsWithoutCreatingAMissingFile)
{
    TempDevice device;
    EXPECT_EQ(run_command(kTortamos + " -updateDB"), 0);
    EXPECT_FALSE(std::filesystem::exists(device.path("/var/mobile")));
}

TEST(UpdateDbOption, AnyOtherArgumentsStartTheInterfaceWhichUpgradesAtLaunch)
{
    for (const std::string arguments :
         {"-updateDB x", "-UPDATEDB", "-updatedb", "x -updateDB", "'-updateDB '", "--updateDB"}) {
        SCOPED_TRACE(arguments);
        TempDevice device;
        install_older_settings(device);
        const auto script = device.root() / "quit.txt";
        std::ofstream(script) << "quit\n";
        EXPECT_EQ(run_command("UIKIT_AUTOMATION='" + script.string() + "' " + kTortamos + " " +
                              arguments + " 2>/dev/null </dev/null"),
                  0);
        EXPECT_EQ(settings_table(device.path(kSettingsFile)).at(1), "1|0|0|1|1|11|0|0");
        // Only the interface posts the change notice, when the platform ends it.
        EXPECT_NE(device.journal().find("notify kTortamosBadge"), std::string::npos);
    }
}

TEST(UpdateDbOption, TheUpgradePathShowsNothingAndPostsNothing)
{
    TempDevice device;
    install_older_settings(device);
    EXPECT_EQ(run_command(kTortamos + " -updateDB"), 0);
    EXPECT_EQ(device.journal().find("notify"), std::string::npos);
}

} // namespace
