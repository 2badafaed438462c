#include "UtcMoment.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"

#include <gtest/gtest.h>

using platform::DateFormatter;
using platform::intValue;
using platform::ScopedTimeZone;

TEST(IntValue, ReadsLeadingIntegerLikeTheFoundationDoes)
{
    EXPECT_EQ(intValue("2009"), 2009);
    EXPECT_EQ(intValue("03"), 3);
    EXPECT_EQ(intValue("  -17xyz"), -17);
    EXPECT_EQ(intValue("+08"), 8);
    EXPECT_EQ(intValue("abc"), 0);
    EXPECT_EQ(intValue(""), 0);
    EXPECT_EQ(intValue("- 5"), 0);
    EXPECT_EQ(intValue("99999999999999999999"), 2147483647);
    EXPECT_EQ(intValue("-99999999999999999999"), -2147483647 - 1);
}

TEST(DateFormatter, ClockValuesInLocalTime)
{
    ScopedTimeZone zone("America/Sao_Paulo"); // UTC-3 in March 2009
    const platform::Moment moment = utcMoment(2009, 3, 11, 2, 7, 9); // 10 March, 23:07:09 local
    EXPECT_EQ(DateFormatter("yyyy").intFromDate(moment), 2009);
    EXPECT_EQ(DateFormatter("MM").stringFromDate(moment), "03");
    EXPECT_EQ(DateFormatter("dd").stringFromDate(moment), "10");
    EXPECT_EQ(DateFormatter("HH").stringFromDate(moment), "23");
    EXPECT_EQ(DateFormatter("mm").intFromDate(moment), 7);
    // Twelve-hour clock, no AM/PM mark.
    EXPECT_EQ(DateFormatter("ddMMyyhhmmss").stringFromDate(moment), "100309110709");
    EXPECT_EQ(DateFormatter("ddMMyyHHmmss").stringFromDate(moment), "100309230709");
}

TEST(DateFormatter, TheDayEndsAtMidnight)
{
    ScopedTimeZone zone("Europe/Lisbon"); // UTC+0 in winter
    const DateFormatter day("yyyyMMdd");
    EXPECT_EQ(day.stringFromDate(utcMoment(2009, 12, 31, 23, 59, 59)), "20091231");
    EXPECT_EQ(day.stringFromDate(utcMoment(2010, 1, 1, 0, 0, 0)), "20100101");
    EXPECT_EQ(DateFormatter("HH").stringFromDate(utcMoment(2010, 1, 1)), "00");
}

TEST(DateFormatter, ParsesRealDaysStrictlyAtLocalMidnight)
{
    ScopedTimeZone zone("Asia/Tokyo"); // UTC+9, no daylight saving
    const DateFormatter parser("yyyyMMdd");
    EXPECT_EQ(parser.dateFromString("20090107"), utcMoment(2009, 1, 6, 15));
    EXPECT_EQ(parser.dateFromString("20120229"), utcMoment(2012, 2, 28, 15));
    EXPECT_EQ(parser.dateFromString("20090229"), std::nullopt);
    EXPECT_EQ(parser.dateFromString("20091301"), std::nullopt);
    EXPECT_EQ(parser.dateFromString("20090100"), std::nullopt);
    EXPECT_EQ(parser.dateFromString("20090431"), std::nullopt);
    EXPECT_EQ(parser.dateFromString("20090107x"), std::nullopt);
    EXPECT_EQ(parser.dateFromString("2009-01-07"), std::nullopt);
    EXPECT_EQ(parser.dateFromString(""), std::nullopt);
}

TEST(DateFormatter, AMidnightInADaylightSavingGapIsTheFirstMomentOfTheDay)
{
    // Brazil moved its clocks from 00:00 to 01:00 on 18 October 2009.
    ScopedTimeZone zone("America/Sao_Paulo");
    const DateFormatter parser("yyyyMMdd");
    const auto midnight = parser.dateFromString("20091018");
    ASSERT_TRUE(midnight);
    EXPECT_EQ(*midnight, utcMoment(2009, 10, 18, 3)); // 01:00 local, UTC-2
    EXPECT_EQ(parser.stringFromDate(*midnight), "20091018");
    EXPECT_EQ(DateFormatter("HH:mm").stringFromDate(*midnight), "01:00");
    EXPECT_EQ(parser.dateFromString("20091017"), utcMoment(2009, 10, 17, 3));
}

TEST(DateFormatter, TakesTheDefaultZoneWhenMade)
{
    std::optional<DateFormatter> tokyo;
    {
        ScopedTimeZone zone("Asia/Tokyo");
        tokyo.emplace("HH");
    }
    ScopedTimeZone zone("UTC");
    EXPECT_EQ(tokyo->stringFromDate(utcMoment(2009, 3, 10, 12)), "21");
    EXPECT_EQ(DateFormatter("HH").stringFromDate(utcMoment(2009, 3, 10, 12)), "12");
}

TEST(ScopedTimeZone, RefusesAnUnknownZone)
{
    EXPECT_THROW(ScopedTimeZone("Mars/Olympus_Mons"), std::invalid_argument);
}
