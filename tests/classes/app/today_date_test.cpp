#include "TodayDate.h"
#include "platform/Clock.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"

#include <gtest/gtest.h>

TEST(SetDateNow, ReadsTheLocalDateAndKeepsIt)
{
    platform::ScopedTimeZone zone("Asia/Tokyo");
    const platform::Calendar calendar;
    platform::FixedClock clock(calendar.dateFromParts(2009, 12, 31, 23, 59) + 59'000);
    SetDateNow(clock);
    EXPECT_EQ(yearNow, 2009);
    EXPECT_EQ(monthNow, 12);
    EXPECT_EQ(dayNow, 31);
    clock.advance_seconds(1); // midnight passes; nothing refreshes today's date
    EXPECT_EQ(dayNow, 31);
    SetDateNow(clock);
    EXPECT_EQ(yearNow, 2010);
    EXPECT_EQ(monthNow, 1);
    EXPECT_EQ(dayNow, 1);
}
