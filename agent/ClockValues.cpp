#include "ClockValues.h"

#include "foundation/FileAttributes.h"
#include "platform/DateServices.h"

#include <cstdio>

namespace agent {
namespace {

struct Formatters {
    platform::DateFormatter year{"yyyy"};
    platform::DateFormatter month{"MM"};
    platform::DateFormatter day{"dd"};
    platform::DateFormatter hour{"HH"};
    platform::DateFormatter minute{"mm"};
    platform::DateFormatter stamp{"ddMMyyHHmmss"};
};

const Formatters& formatters()
{
    static const Formatters made;
    return made;
}

} // namespace

ClockValues clock_values(platform::Moment moment)
{
    const auto& f = formatters();
    return {f.year.intFromDate(moment), f.month.intFromDate(moment), f.day.intFromDate(moment),
            f.hour.intFromDate(moment), f.minute.intFromDate(moment)};
}

std::string modification_stamp(const std::filesystem::path& file)
{
    const auto modified = os::file_modification_date(file, false);
    if (!modified)
        return {};
    const auto since_epoch = modified->time_since_epoch();
    const auto whole_seconds = std::chrono::floor<std::chrono::seconds>(since_epoch);
    const auto nanoseconds = (since_epoch - whole_seconds).count();
    std::string stamp = formatters().stamp.stringFromDate(
        static_cast<platform::Moment>(whole_seconds.count()) * 1000.0);
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, ".%09lld", static_cast<long long>(nanoseconds));
    return stamp + fraction;
}

} // namespace agent
