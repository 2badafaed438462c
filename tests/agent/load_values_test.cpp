// The agent's variables as the library loads, before any of its code has run.
#include "AgentState.h"

#include <gtest/gtest.h>

namespace {

const platform::Moment started = platform::system_clock().now();

TEST(LoadValues, EveryVariableHasItsValueAtLoad)
{
    EXPECT_EQ(std::tie(bBadge, bSound, bPopup, iTimerHour, iTimerMinute, iStandby),
              std::make_tuple(0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(bAlert);
    EXPECT_TRUE(bPlayAlerts);
    EXPECT_FALSE(bSettingsUnread);
    EXPECT_FALSE(lastAlert) << "no alert shown yet";
    EXPECT_FALSE(dateTicked) << "no minute check yet";
    EXPECT_EQ(nsAddressBookDate, "zerado");
    EXPECT_EQ(soundID, 0u);
    EXPECT_EQ(trickID, 0u);
    EXPECT_STREQ(soundPath, "/var/mobile/Library/Tortamos/birthday.wav");
    EXPECT_STREQ(trickPath, "/var/mobile/Library/Tortamos/trick.aif");
    EXPECT_STREQ(databasePath, "/var/mobile/Library/Tortamos/birthdays.sql");
    EXPECT_NEAR(dateActive, started, 60 * 1000.0) << "the moment of loading";
    EXPECT_LE(dateActive, platform::system_clock().now());
}

} // namespace
