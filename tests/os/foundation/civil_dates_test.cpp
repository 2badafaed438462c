#include "foundation/CivilDates.h"

#include <gtest/gtest.h>

TEST(CivilDates, LeapYearsAndMonthLengths) {
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

TEST(CivilDates, EveryDayOfFourHundredYearsIsCountedOnce) {
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

TEST(CivilDates, EnglishMonthNamesAreTheTranslationKeys) {
    EXPECT_STREQ(os::englishMonthName(1), "January");
    EXPECT_STREQ(os::englishMonthName(12), "December");
    EXPECT_STREQ(os::englishMonthName(0), "");
    EXPECT_STREQ(os::englishMonthName(13), "");
}
