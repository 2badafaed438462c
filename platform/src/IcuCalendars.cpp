#include "IcuCalendars.h"

#include <unicode/timezone.h>

#include <cstdlib>

namespace platform::icu_support {

const icu::Locale& formatLocale()
{
    static const icu::Locale locale("en_US_POSIX@calendar=gregorian;numbers=latn");
    return locale;
}

std::unique_ptr<icu::GregorianCalendar> localCalendar()
{
    UErrorCode status = U_ZERO_ERROR;
    auto calendar = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::createDefault(),
                                                             formatLocale(), status);
    if (U_FAILURE(status))
        std::abort(); // ICU without its data cannot run the system at all
    calendar->setLenient(true);
    calendar->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
    return calendar;
}

Moment localMoment(icu::GregorianCalendar& calendar, int year, int month, int day, int hour,
                   int minute, int second, int millisecond)
{
    calendar.clear();
    calendar.set(year, month - 1, day, hour, minute, second);
    calendar.set(UCAL_MILLISECOND, millisecond);
    UErrorCode status = U_ZERO_ERROR;
    const UDate moment = calendar.getTime(status);
    return U_SUCCESS(status) ? moment : 0;
}

} // namespace platform::icu_support
