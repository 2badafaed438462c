#pragma once
// Plain Gregorian arithmetic on calendar dates (no time of day, no time zone). A birthday and
// "today" are calendar dates; counting whole months and days between two of them this way gives
// the same answer as the calendar does between their local midnights, without the daylight-saving
// gaps that can shift a midnight, and without a time-zone database call per row.
#include "platform/DateServices.h"

#include <foundation/CivilDates.h>

#include <utility>

namespace platform {

// Leap years, month lengths and real dates are the foundation's.
using os::daysInMonth;
using os::isLeapYear;
using os::isRealDate;

// The day a birthday of (month, day) is kept on in `year`: 29 February is kept on 1 March in a
// common year, so the reminder is not lost three years in four. Other days are kept as they are.
DateParts observedBirthday(int year, int month, int day);

// Whole months, then the remaining days, from one real date to another, as the Gregorian
// calendar counts them (a month added to 31 January ends on the last day of February); both zero
// or negative when `to` lies before `from`.
std::pair<int, int> monthsAndDaysBetween(const DateParts& from, const DateParts& to);

} // namespace platform
