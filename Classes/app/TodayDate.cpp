#include "TodayDate.h"

#include "platform/DateServices.h"

int32_t yearNow = 0;
int32_t monthNow = 0;
int32_t dayNow = 0;

void SetDateNow(const platform::Clock& clock) {
    const platform::Moment now = clock.now();
    yearNow = platform::DateFormatter("yyyy").intFromDate(now);
    monthNow = platform::DateFormatter("MM").intFromDate(now);
    dayNow = platform::DateFormatter("dd").intFromDate(now);
}
