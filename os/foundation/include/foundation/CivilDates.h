#pragma once
// The Gregorian calendar's arithmetic on plain calendar dates (year, month 1..12, day), with no
// time of day and no time zone: leap years, month lengths, whether a date exists, and the whole
// months and days between two dates. The one copy the address book, the platform's date
// services, the list engine and the person screen all count with.
#include <utility>

namespace os {

struct DateParts {
    int year = 0;
    int month = 0; // 1..12
    int day = 0; // 1..31
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

bool isLeapYear(int year);
// Days of the month; 0 for a month outside 1..12.
int daysInMonth(int year, int month);
// True when the day exists in that month of that year (any year, proleptic Gregorian).
bool isRealDate(int year, int month, int day);

// Whole months, then the remaining days, from one real date to another, as the Gregorian
// calendar counts them (a month added to 31 January ends on the last day of February); both zero
// or negative when `to` lies before `from`. Counting on dates rather than moments gives the
// calendar's answer between their local midnights without the daylight-saving gaps that can
// shift a midnight, and without a time-zone database call per row.
std::pair<int, int> monthsAndDaysBetween(const DateParts& from, const DateParts& to);

// "January" to "December", the English names that are also the keys of their translations; ""
// for a month outside 1..12.
const char* englishMonthName(int month);

} // namespace os
