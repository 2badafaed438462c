#include "foundation/CivilDates.h"

#include <gtest/gtest.h>

TEST(CivilDates, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(os::isLeapYear(2012));
    EXPECT_TRUE(os::isLeapYear(2000));
    EXPECT_FALSE(os::isLeapYear(1900));
    EXPECT_FALSE(os::isLeapYear(2009));
    EXPECT_EQ(os::daysInMonth(2009, 2), 28);
    EXPECT_EQ(os::daysInMonth(2012, 2), 29);
    EXPECT_EQ(os::daysInMonth(2009, 4), 30);
    EXPECT_EQ(os::daysInMonth(2009, 12), 31);
    EXPECT_EQ(os::daysInMonth(2009, 0), 0);
    EXPECT_EQ(os::daysInMonth(2009, 13), 0);
    EXPECT_TRUE(os::isRealDate(2012, 2, 29));
    EXPECT_FALSE(os::isRealDate(2009, 2, 29));
    EXPECT_FALSE(os::isRealDate(2009, 6, 0));
}

TEST(CivilDates, EveryDayOfFourHundredYearsIsCountedOnce)
{
    // One Gregorian cycle has 146,097 days; a wrong century rule or month length breaks the sum.
    int days = 0;
    for (int year = 2001; year <= 2400; ++year)
        for (int month = 1; month <= 12; ++month) {
            days += os::daysInMonth(year, month);
            EXPECT_TRUE(os::isRealDate(year, month, os::daysInMonth(year, month)));
            EXPECT_FALSE(os::isRealDate(year, month, os::daysInMonth(year, month) + 1));
        }
    EXPECT_EQ(days, 146097);
    EXPECT_FALSE(os::isRealDate(2009, 0, 1));
    EXPECT_FALSE(os::isRealDate(2009, 13, 1));
}

TEST(CivilDates, DifferenceAcrossYearsAndBackwards)
{
    EXPECT_EQ(os::monthsAndDaysBetween({2009, 12, 15}, {2010, 1, 3}), std::make_pair(0, 19));
    EXPECT_EQ(os::monthsAndDaysBetween({2009, 12, 15}, {2011, 2, 16}), std::make_pair(14, 1));
    EXPECT_EQ(os::monthsAndDaysBetween({2010, 1, 3}, {2009, 12, 15}), std::make_pair(0, -19));
    EXPECT_EQ(os::monthsAndDaysBetween({2009, 12, 15}, {2009, 1, 3}), std::make_pair(-11, -12));
}

TEST(CivilDates, EnglishMonthNamesAreTheTranslationKeys)
{
    EXPECT_STREQ(os::englishMonthName(1), "January");
    EXPECT_STREQ(os::englishMonthName(12), "December");
    EXPECT_STREQ(os::englishMonthName(0), "");
    EXPECT_STREQ(os::englishMonthName(13), "");
}
