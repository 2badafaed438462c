#include "platform/CivilDates.h"

#include <gtest/gtest.h>

using platform::DateParts;

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
