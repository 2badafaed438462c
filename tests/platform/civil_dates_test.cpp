#include "platform/CivilDates.h"

#include <gtest/gtest.h>

using platform::DateParts;

TEST(CivilDates, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(platform::isLeapYear(2012));
    EXPECT_TRUE(platform::isLeapYear(2000));
    EXPECT_FALSE(platform::isLeapYear(1900));
    EXPECT_FALSE(platform::isLeapYear(2009));
    EXPECT_EQ(platform::daysInMonth(2009, 2), 28);
    EXPECT_EQ(platform::daysInMonth(2012, 2), 29);
    EXPECT_EQ(platform::daysInMonth(2009, 4), 30);
    EXPECT_EQ(platform::daysInMonth(2009, 12), 31);
    EXPECT_EQ(platform::daysInMonth(2009, 0), 0);
    EXPECT_EQ(platform::daysInMonth(2009, 13), 0);
    EXPECT_TRUE(platform::isRealDate(2012, 2, 29));
    EXPECT_FALSE(platform::isRealDate(2009, 2, 29));
    EXPECT_FALSE(platform::isRealDate(2009, 6, 0));
}

TEST(CivilDates, TwentyNinthOfFebruaryIsKeptOnFirstOfMarchInACommonYear) {
    EXPECT_EQ(platform::observedBirthday(2009, 2, 29), (DateParts{2009, 3, 1}));
    EXPECT_EQ(platform::observedBirthday(2012, 2, 29), (DateParts{2012, 2, 29}));
    EXPECT_EQ(platform::observedBirthday(2009, 2, 28), (DateParts{2009, 2, 28}));
    EXPECT_EQ(platform::observedBirthday(2009, 3, 1), (DateParts{2009, 3, 1}));
}

TEST(CivilDates, DifferenceAcrossYearsAndBackwards) {
    EXPECT_EQ(platform::monthsAndDaysBetween({2009, 12, 15}, {2010, 1, 3}), std::make_pair(0, 19));
    EXPECT_EQ(platform::monthsAndDaysBetween({2009, 12, 15}, {2011, 2, 16}), std::make_pair(14, 1));
    EXPECT_EQ(platform::monthsAndDaysBetween({2010, 1, 3}, {2009, 12, 15}), std::make_pair(0, -19));
    EXPECT_EQ(platform::monthsAndDaysBetween({2009, 12, 15}, {2009, 1, 3}), std::make_pair(-11, -12));
}
