#pragma once
// A UTC wall-clock time as a moment, worked out apart from ICU so tests check ICU against it.
#include "platform/Clock.h"

#include <ctime>

inline platform::Moment utcMoment(int year, int month, int day, int hour = 0, int minute = 0,
                                  int second = 0)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return static_cast<platform::Moment>(::timegm(&tm)) * 1000.0;
}
