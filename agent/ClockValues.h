#pragma once
// The clock values the agent decides by: a moment rendered in local time with a date pattern and
// read as an integer, and the address-book file's modification stamp. The formatters are made
// once, on first use, in the time zone in force then.
#include "platform/Clock.h"

#include <filesystem>
#include <string>

namespace agent {

struct ClockValues {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

ClockValues clock_values(platform::Moment moment);

// "ddMMyyHHmmss" of the file's modification time (a 24-hour clock, so times twelve hours apart
// differ) followed by its nanoseconds, so two changes within one second differ as well. Empty
// when the file is missing: an absent stamp is a stamp of its own.
std::string modification_stamp(const std::filesystem::path& file);

} // namespace agent
