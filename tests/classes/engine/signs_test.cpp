#include "engine/Signs.h"

#include <gtest/gtest.h>

#include <string>

using engine::idForSigno;

TEST(Signs, EachMonthHoldsTheEndOfOneSignAndTheStartOfTheNext)
{
    struct Boundary {
        int month, lastDayOfEarlier, earlier, starting;
    };
    const Boundary boundaries[] = {
        {1, 20, 10, 11}, {2, 19, 11, 12}, {3, 20, 12, 1}, {4, 20, 1, 2},
        {5, 20, 2, 3},   {6, 20, 3, 4},   {7, 21, 4, 5},  {8, 22, 5, 6},
        {9, 22, 6, 7},   {10, 22, 7, 8},  {11, 21, 8, 9}, {12, 21, 9, 10},
    };
    for (const Boundary& b : boundaries) {
        EXPECT_EQ(idForSigno(1, b.month), b.earlier) << b.month;
        EXPECT_EQ(idForSigno(b.lastDayOfEarlier, b.month), b.earlier) << b.month;
        EXPECT_EQ(idForSigno(b.lastDayOfEarlier + 1, b.month), b.starting) << b.month;
        EXPECT_EQ(idForSigno(31, b.month), b.starting) << b.month;
    }
}

TEST(Signs, NamedDays)
{
    EXPECT_EQ(idForSigno(20, 3), 12);
    EXPECT_EQ(idForSigno(21, 3), 1);
    EXPECT_EQ(idForSigno(21, 7), 4);
    EXPECT_EQ(idForSigno(22, 7), 5);
    EXPECT_EQ(idForSigno(22, 12), 10);
    EXPECT_EQ(idForSigno(20, 1), 10);
    EXPECT_EQ(idForSigno(21, 1), 11);
    EXPECT_EQ(idForSigno(19, 2), 11);
    EXPECT_EQ(idForSigno(20, 2), 12);
    EXPECT_EQ(idForSigno(29, 2), 12);
    EXPECT_EQ(idForSigno(31, 12), 10);
}

TEST(Signs, DaysAreNotCheckedAndMonthsOutsideTheYearGiveAries)
{
    EXPECT_EQ(idForSigno(0, 3), 12);
    EXPECT_EQ(idForSigno(-5, 7), 4);
    EXPECT_EQ(idForSigno(99, 7), 5);
    for (int day : {-1, 0, 1, 15, 31, 40}) {
        EXPECT_EQ(idForSigno(day, 0), 1);
        EXPECT_EQ(idForSigno(day, 13), 1);
        EXPECT_EQ(idForSigno(day, -2), 1);
    }
}

TEST(Signs, NamesAndPictures)
{
    EXPECT_EQ(std::string(engine::signNameKey(1)), "Aries");
    EXPECT_EQ(std::string(engine::signImageName(1)), "aries.png");
    EXPECT_EQ(std::string(engine::signNameKey(5)), "Leo");
    EXPECT_EQ(std::string(engine::signImageName(5)), "leao.png");
    EXPECT_EQ(std::string(engine::signNameKey(12)), "Pisces");
    EXPECT_EQ(std::string(engine::signImageName(12)), "peixes.png");
    for (int none : {0, 13, -1}) {
        EXPECT_EQ(std::string(engine::signNameKey(none)), "");
        EXPECT_EQ(std::string(engine::signImageName(none)), "clear.png");
    }
}
