#include "platform/BirthdayRules.h"

#include <gtest/gtest.h>

using platform::DateParts;

TEST(BirthdayRules, TwentyNinthOfFebruaryIsKeptOnFirstOfMarchInACommonYear)
{
    EXPECT_EQ(platform::observedBirthday(2009, 2, 29), (DateParts{2009, 3, 1}));
    EXPECT_EQ(platform::observedBirthday(2012, 2, 29), (DateParts{2012, 2, 29}));
    EXPECT_EQ(platform::observedBirthday(2009, 2, 28), (DateParts{2009, 2, 28}));
    EXPECT_EQ(platform::observedBirthday(2009, 3, 1), (DateParts{2009, 3, 1}));
}
