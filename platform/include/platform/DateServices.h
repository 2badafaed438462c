#pragma once
// The date services the system relies on, over ICU: pattern formatting in local time, the
// current calendar, the Gregorian month-and-day difference, dates from parts. The patterns are
// ICU SimpleDateFormat patterns, the same letters the platform's NSDateFormatter takes.
//
// Formatters and calendars are made once and reused: making one costs far more than using it.
// Each object takes the process's default time zone when it is made (tests set the zone first).
// Thread: an object is used by one thread at a time.
#include "foundation/CivilDates.h"
#include "platform/Clock.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// A calendar date; the foundation counts with it.
using os::DateParts;

// NSDateFormatter with a fixed pattern, in the local time zone, Gregorian calendar.
class DateFormatter {
public:
    explicit DateFormatter(std::string_view pattern);
    ~DateFormatter();
    DateFormatter(DateFormatter&&) noexcept;
    DateFormatter& operator=(DateFormatter&&) noexcept;

    std::string stringFromDate(Moment moment) const;
    // The moment the text names, read strictly (no rolling over: "20090229" is none). A local time
    // that does not exist (a daylight-saving gap) gives the first moment after the gap.
    std::optional<Moment> dateFromString(std::string_view text) const;
    // stringFromDate read as an integer, the way NSString's intValue reads it.
    int intFromDate(Moment moment) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The user's current calendar (Gregorian) in the local time zone.
class Calendar {
public:
    Calendar();
    ~Calendar();
    Calendar(Calendar&&) noexcept;
    Calendar& operator=(Calendar&&) noexcept;

    // Year, month and day of the moment in local time.
    DateParts components(Moment moment) const;
    // Whole months, then the remaining days, from one moment to another; both zero or negative
    // when `to` lies before `from`.
    std::pair<int, int> monthsAndDaysBetween(Moment from, Moment to) const;
    // The local moment of the parts; a local time that does not exist gives the first moment
    // after the gap.
    Moment dateFromParts(int year, int month, int day, int hour = 0, int minute = 0) const;
    // Local midnight of a real day, the way "%i%02i%02i" parsed with "yyyyMMdd" gives it;
    // nullopt when the day does not exist (29 February of a common year). A midnight that
    // does not exist is the first moment of that day.
    std::optional<Moment> localMidnight(int year, int month, int day) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// "Read a text as an integer" as NSString's intValue does: leading blanks, an optional sign,
// then digits; anything else ends it; no digits give 0.
int intValue(std::string_view text);

} // namespace platform
