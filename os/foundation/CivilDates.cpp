#include "foundation/CivilDates.h"

#include <algorithm>

namespace os {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
long long dayNumber(const DateParts& date)
{
    const long long y = date.year - (date.month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long m = date.month;
    const long long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DateParts addMonths(const DateParts& date, int months)
{
    const long long total = static_cast<long long>(date.year) * 12 + (date.month - 1) + months;
    const long long year = total >= 0 ? total / 12 : (total - 11) / 12;
    DateParts result;
    result.year = static_cast<int>(year);
    result.month = static_cast<int>(total - year * 12) + 1;
    result.day = std::min(date.day, daysInMonth(result.year, result.month));
    return result;
}

} // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isRealDate(int year, int month, int day)
{
    return day >= 1 && day <= daysInMonth(year, month);
}

std::pair<int, int> monthsAndDaysBetween(const DateParts& from, const DateParts& to)
{
    const long long target = dayNumber(to);
    int months = (to.year - from.year) * 12 + (to.month - from.month);
    if (target >= dayNumber(from)) {
        if (dayNumber(addMonths(from, months)) > target)
            --months;
    } else {
        if (dayNumber(addMonths(from, months)) < target)
            ++months;
    }
    return {months, static_cast<int>(target - dayNumber(addMonths(from, months)))};
}

const char* englishMonthName(int month)
{
    static constexpr const char* kNames[] = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

} // namespace os
