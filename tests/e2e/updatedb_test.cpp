#include "SettingsTable.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

namespace {

const std::string kTortamos = std::string(TORTAMOS_APP_DIR) + "/Tortamos";
const std::vector<std::string> kOlderTable = {"bBadge|bHideAge", "1|0"};

void install_older_settings(const TempDevice& device) {
    ASSERT_TRUE(settings_exec(device.path(kSettingsFile),
                              "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
                              "INSERT INTO Settings VALUES (1, 0);"));
}

TEST(UpdateDbOption, UpgradesAnOlderFileAndSucceeds) {
    TempDevice device;
    install_older_settings(device);
    EXPECT_EQ(run_command(kTortamos + " -updateDB"), 0);
    EXPECT_EQ(settings_table(device.path(kSettingsFile)).at(1), "1|0|0|1|1|11|0|0");
}

TEST(UpdateDbOption, SucceedsWithoutCreatingAMissingFile) {
    TempDevice device;
    EXPECT_EQ(run_command(kTortamos + " -updateDB"), 0);
    EXPECT_FALSE(std::filesystem::exists(device.path("/var/mobile")));
}

TEST(UpdateDbOption, OnlyTheExactSingleArgumentTakesTheUpgradePath) {
    for (const std::string arguments :
         {"-updateDB x", "-UPDATEDB", "-updatedb", "x -updateDB", "'-updateDB '", "--updateDB"}) {
        SCOPED_TRACE(arguments);
        TempDevice device;
        install_older_settings(device);
        EXPECT_NE(run_command(kTortamos + " " + arguments + " 2>/dev/null </dev/null"), 0);
        EXPECT_EQ(settings_table(device.path(kSettingsFile)), kOlderTable);
    }
}

} // namespace
