#include "UtcMoment.h"
#include "foundation/CivilDates.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"

#include <gtest/gtest.h>

using platform::Calendar;
using platform::DateParts;
using platform::ScopedTimeZone;

TEST(Calendar, SplitsAMomentInLocalTime)
{
    ScopedTimeZone zone("Pacific/Auckland"); // UTC+13 in January
    const Calendar calendar;
    EXPECT_EQ(calendar.components(utcMoment(2009, 12, 31, 11)), (DateParts{2010, 1, 1}));
    EXPECT_EQ(calendar.components(utcMoment(2009, 12, 31, 10, 59)), (DateParts{2009, 12, 31}));
}

TEST(Calendar, MonthsThenDaysBetweenTwoMoments)
{
    ScopedTimeZone zone("UTC");
    const Calendar calendar;
    const auto day = [](int month, int d) { return utcMoment(2009, month, d); };
    EXPECT_EQ(calendar.monthsAndDaysBetween(day(3, 10), day(4, 11)), std::make_pair(1, 1));
    EXPECT_EQ(calendar.monthsAndDaysBetween(day(3, 10), day(3, 9)), std::make_pair(0, -1));
    EXPECT_EQ(calendar.monthsAndDaysBetween(day(3, 10), day(3, 10)), std::make_pair(0, 0));
    EXPECT_EQ(calendar.monthsAndDaysBetween(day(3, 10), day(12, 12)), std::make_pair(9, 2));
    EXPECT_EQ(calendar.monthsAndDaysBetween(day(1, 31), day(2, 28)), std::make_pair(1, 0));
    EXPECT_EQ(calendar.monthsAndDaysBetween(day(3, 31), day(2, 28)), std::make_pair(-1, 0));
}

// The countdown counts on calendar dates; it must agree with the calendar on every pair of days.
TEST(Calendar, CivilDifferenceAgreesWithTheCalendar)
{
    ScopedTimeZone zone("UTC");
    const Calendar calendar;
    for (int year : {2009, 2012}) {
        std::vector<DateParts> days;
        for (int month = 1; month <= 12; ++month)
            for (int d = 1; d <= os::daysInMonth(year, month); ++d)
                days.push_back({year, month, d});
        for (size_t i = 0; i < days.size(); i += 5) {
            for (const DateParts& to : days) {
                const DateParts& from = days[i];
                ASSERT_EQ(os::monthsAndDaysBetween(from, to),
                          calendar.monthsAndDaysBetween(utcMoment(from.year, from.month, from.day),
                                                        utcMoment(to.year, to.month, to.day)))
                    << from.month << "/" << from.day << " to " << to.month << "/" << to.day << "/"
                    << year;
            }
        }
    }
}

TEST(Calendar, LocalMidnightOfRealDaysOnly)
{
    ScopedTimeZone zone("Europe/Berlin");
    const Calendar calendar;
    EXPECT_EQ(calendar.localMidnight(2009, 1, 7), utcMoment(2009, 1, 6, 23));
    EXPECT_EQ(calendar.localMidnight(2009, 7, 7), utcMoment(2009, 7, 6, 22));
    EXPECT_EQ(calendar.localMidnight(2012, 2, 29), utcMoment(2012, 2, 28, 23));
    EXPECT_EQ(calendar.localMidnight(2009, 2, 29), std::nullopt);
    EXPECT_EQ(calendar.localMidnight(2009, 13, 1), std::nullopt);
    EXPECT_EQ(calendar.localMidnight(2009, 4, 0), std::nullopt);
    EXPECT_EQ(calendar.dateFromParts(2009, 3, 10, 11, 30), utcMoment(2009, 3, 10, 10, 30));
}

TEST(Calendar, AgreesWithTheFormatterInADaylightSavingGap)
{
    for (const char* id : {"America/Sao_Paulo", "America/Havana"}) {
        ScopedTimeZone zone(id);
        const Calendar calendar;
        const platform::DateFormatter parser("yyyyMMdd");
        // Sao Paulo skipped 00:00-01:00 on 18 October 2009, Havana on 8 March 2009.
        for (auto [month, day] : {std::pair{10, 18}, std::pair{3, 8}, std::pair{3, 9}}) {
            const auto midnight = calendar.localMidnight(2009, month, day);
            ASSERT_TRUE(midnight) << id;
            EXPECT_EQ(midnight, parser.dateFromString(
                                    platform::DateFormatter("yyyyMMdd").stringFromDate(*midnight)))
                << id;
            EXPECT_EQ(calendar.components(*midnight), (DateParts{2009, month, day})) << id;
            EXPECT_EQ(calendar.components(*midnight - 1), (DateParts{2009, month, day - 1})) << id;
        }
    }
}

// A birthday is handed out as local noon; in every zone from UTC-12 to UTC+14 noon and midnight
// split back into the same calendar date.
TEST(Calendar, LocalNoonAndMidnightKeepTheDateInEveryZone)
{
    for (const char* id :
         {"Etc/GMT+12", "Pacific/Pago_Pago", "America/Sao_Paulo", "UTC", "Asia/Kolkata",
          "Australia/Eucla", "Pacific/Auckland", "Pacific/Kiritimati"}) {
        ScopedTimeZone zone(id);
        const Calendar calendar;
        for (const DateParts date : {DateParts{1980, 1, 1}, DateParts{1980, 12, 31},
                                     DateParts{1900, 2, 28}, DateParts{2012, 2, 29}}) {
            EXPECT_EQ(
                calendar.components(calendar.dateFromParts(date.year, date.month, date.day, 12)),
                date)
                << id;
            EXPECT_EQ(calendar.components(*calendar.localMidnight(date.year, date.month, date.day)),
                      date)
                << id;
        }
    }
}
