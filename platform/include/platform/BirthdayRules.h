#pragma once
// The birthday rules on top of the calendar's arithmetic (foundation/CivilDates.h): which day a
// birthday is kept on in a given year.
#include "platform/DateServices.h"

namespace platform {

// The day a birthday of (month, day) is kept on in `year`: 29 February is kept on 1 March in a
// common year, so the reminder is not lost three years in four. Other days are kept as they are.
DateParts observedBirthday(int year, int month, int day);

} // namespace platform
