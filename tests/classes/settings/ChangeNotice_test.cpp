#include "Settings.h"
#include "TempDevice.h"
#include "TortamoAppDelegate.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

TEST(ChangeNotice, EndOfTheApplicationReachesTheAgentsProcess)
{
    TempDevice device;
    // Stands in for the agent: a process of the device that waits for the notice.
    FILE* agent = ::popen(NOTIFYUTIL " -w kTortamosBadge 5", "r");
    ASSERT_NE(agent, nullptr);
    char line[128] = {};
    ASSERT_NE(std::fgets(line, sizeof line, agent), nullptr); // observing now

    TortamoAppDelegate delegate;
    delegate.applicationWillTerminate(nullptr);

    const bool got_line = std::fgets(line, sizeof line, agent) != nullptr;
    const int status = ::pclose(agent);
    ASSERT_TRUE(got_line);
    EXPECT_EQ(std::string(line), "kTortamosBadge\n");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(device.journal().find(" notify kTortamosBadge\n"), std::string::npos);
}

TEST(ChangeNotice, DelegateUpgradesTheFileAtItsDatabasePath)
{
    TempDevice device;
    EXPECT_EQ(TortamoAppDelegate::databaseDirectory(),
              "/var/mobile/Library/Tortamos/birthdays.sql");
    const auto file = device.path(TortamoAppDelegate::databaseDirectory());
    std::filesystem::create_directories(file.parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db,
                 "CREATE TABLE Settings (bBadge INTEGER, bHideAge INTEGER);"
                 "INSERT INTO Settings VALUES (1, 0);",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);

    TortamoAppDelegate::updateDatabase();
    iTimerHour = 0;
    settings::loadAllSettings();
    EXPECT_EQ(iTimerHour, 11);
    EXPECT_EQ(bBadge, 1);
}

} // namespace
