#include "AgentEnvironment.h"
#include "ClockValues.h"
#include "DailyCheck.h"
#include "shared/SettingsFile.h"

#include <array>

namespace {

using tortamos::settings_file::Column;

bool before_set_time(const agent::ClockValues& now)
{
    return now.hour < iTimerHour || (now.hour == iTimerHour && now.minute < iTimerMinute);
}

} // namespace

void SetConfig()
{
    static constexpr std::array kColumns{Column::bBadge,       Column::bSound,
                                         Column::bPopup,       Column::iTimerHour,
                                         Column::iTimerMinute, Column::iStandby};
    const bool read =
        tortamos::settings_file::readRows(kColumns, [](std::span<const int32_t> values) {
            bBadge = values[0];
            bSound = values[1];
            bPopup = values[2];
            iTimerHour = values[3];
            iTimerMinute = values[4];
            iStandby = values[5];
            const auto now = agent::clock_values(agent::environment().clock->now());
            // The day's alert comes again only for a set time moved to a moment still ahead: a
            // notice that moved nothing, or a clock put back before the time it was shown for, arms
            // no second one.
            if (before_set_time(now) && !alertShownForSetTime(now))
                bPlayAlerts = true;
        });
    bSettingsUnread = !read;
}
