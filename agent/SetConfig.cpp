#include "DailyCheck.h"

#include "AgentEnvironment.h"
#include "ClockValues.h"

#include <shared/SettingsFile.h>

#include <array>

namespace {

using tortamos::settings_file::Column;

bool before_set_time(const agent::ClockValues& now) {
    return now.hour < iTimerHour || (now.hour == iTimerHour && now.minute < iTimerMinute);
}

} // namespace

void SetConfig() {
    static constexpr std::array kColumns{Column::bBadge,     Column::bSound,       Column::bPopup,
                                         Column::iTimerHour, Column::iTimerMinute, Column::iStandby};
    tortamos::settings_file::readRows(kColumns, [](std::span<const int32_t> values) {
        bBadge = values[0];
        bSound = values[1];
        bPopup = values[2];
        iTimerHour = values[3];
        iTimerMinute = values[4];
        iStandby = values[5];
        const auto now = agent::clock_values(agent::environment().clock->now());
        // Moving the time later, or a clock put back before it, arms no second alert today.
        if (before_set_time(now) && !alertShownOnDayOf(now)) bPlayAlerts = true;
    });
}
