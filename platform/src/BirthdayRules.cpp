#include "platform/BirthdayRules.h"

namespace platform {

DateParts observedBirthday(int year, int month, int day)
{
    if (month == 2 && day == 29 && !os::isLeapYear(year))
        return {year, 3, 1};
    return {year, month, day};
}

} // namespace platform
