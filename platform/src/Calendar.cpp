#include "IcuCalendars.h"
#include "platform/DateServices.h"

namespace platform {

struct Calendar::Impl {
    std::unique_ptr<icu::GregorianCalendar> calendar;
};

Calendar::Calendar() : impl_(std::make_unique<Impl>())
{
    impl_->calendar = icu_support::localCalendar();
}

Calendar::~Calendar() = default;
Calendar::Calendar(Calendar&&) noexcept = default;
Calendar& Calendar::operator=(Calendar&&) noexcept = default;

DateParts Calendar::components(Moment moment) const
{
    icu::GregorianCalendar& calendar = *impl_->calendar;
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(moment, status);
    DateParts parts;
    parts.year = calendar.get(UCAL_EXTENDED_YEAR, status);
    parts.month = calendar.get(UCAL_MONTH, status) + 1;
    parts.day = calendar.get(UCAL_DATE, status);
    return U_SUCCESS(status) ? parts : DateParts{};
}

std::pair<int, int> Calendar::monthsAndDaysBetween(Moment from, Moment to) const
{
    icu::GregorianCalendar& calendar = *impl_->calendar;
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(from, status);
    // Each difference moves the calendar on by what it counted, so the days are what is left
    // after the whole months.
    const int months = calendar.fieldDifference(to, UCAL_MONTH, status);
    const int days = calendar.fieldDifference(to, UCAL_DATE, status);
    if (U_FAILURE(status))
        return {0, 0};
    return {months, days};
}

Moment Calendar::dateFromParts(int year, int month, int day, int hour, int minute) const
{
    return icu_support::localMoment(*impl_->calendar, year, month, day, hour, minute);
}

std::optional<Moment> Calendar::localMidnight(int year, int month, int day) const
{
    if (!os::isRealDate(year, month, day))
        return std::nullopt;
    return dateFromParts(year, month, day);
}

} // namespace platform
