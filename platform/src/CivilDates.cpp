#include "platform/CivilDates.h"

#include <algorithm>

namespace platform {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
long long dayNumber(const DateParts& date) {
    const long long y = date.year - (date.month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long m = date.month;
    const long long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DateParts addMonths(const DateParts& date, int months) {
    const long long total = static_cast<long long>(date.year) * 12 + (date.month - 1) + months;
    const long long year = total >= 0 ? total / 12 : (total - 11) / 12;
    DateParts result;
    result.year = static_cast<int>(year);
    result.month = static_cast<int>(total - year * 12) + 1;
    result.day = std::min(date.day, daysInMonth(result.year, result.month));
    return result;
}

} // namespace

DateParts observedBirthday(int year, int month, int day) {
    if (month == 2 && day == 29 && !isLeapYear(year)) return {year, 3, 1};
    return {year, month, day};
}

std::pair<int, int> monthsAndDaysBetween(const DateParts& from, const DateParts& to) {
    const long long target = dayNumber(to);
    int months = (to.year - from.year) * 12 + (to.month - from.month);
    if (target >= dayNumber(from)) {
        if (dayNumber(addMonths(from, months)) > target) --months;
    } else {
        if (dayNumber(addMonths(from, months)) < target) ++months;
    }
    return {months, static_cast<int>(target - dayNumber(addMonths(from, months)))};
}

} // namespace platform
