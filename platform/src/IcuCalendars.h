#pragma once
// The ICU pieces shared by the date services: a Gregorian calendar in the default time zone that
// resolves local times inside a daylight-saving gap to the first moment after the gap.
#include "platform/Clock.h"

#include <unicode/gregocal.h>
#include <unicode/locid.h>

#include <memory>

namespace platform::icu_support {

// Digits are always ASCII and the calendar always Gregorian, whatever the user's locale, so
// clock values read back as integers.
const icu::Locale& formatLocale();

// Lenient, so that the skipped-wall-time option applies instead of an error.
std::unique_ptr<icu::GregorianCalendar> localCalendar();

// The local moment of the wall-clock fields.
Moment localMoment(icu::GregorianCalendar& calendar, int year, int month, int day, int hour = 0,
                   int minute = 0, int second = 0, int millisecond = 0);

} // namespace platform::icu_support
