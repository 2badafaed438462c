#include "TodayDate.h"

#include "platform/DateServices.h"

int32_t yearNow = 0;
int32_t monthNow = 0;
int32_t dayNow = 0;

void SetDateNow(const platform::Clock& clock)
{
    // The calendar's fields are the numbers "yyyy", "MM" and "dd" render for any year of our
    // era, without the three date formats that reading them back as text would build.
    const platform::DateParts today = platform::Calendar().components(clock.now());
    yearNow = today.year;
    monthNow = today.month;
    dayNow = today.day;
}
