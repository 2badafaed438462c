#include "AgentEnvironment.h"
#include "ClockValues.h"
#include "DailyCheck.h"

#include <tuple>
#include <utility>

namespace {

// Two checks this close in time that lie on both sides of a whole minute of the local clock saw
// that clock jump over it (a daylight-saving gap), not a home screen asleep through it.
constexpr platform::Moment kJumpWindow = 2 * 60 * 1000.0;

// Whether `then` comes before the set minute of the calendar day of `now`.
bool before_set_minute_of_day(const agent::ClockValues& then, const agent::ClockValues& now)
{
    return std::tie(then.year, then.month, then.day, then.hour, then.minute) <
           std::tie(now.year, now.month, now.day, iTimerHour, iTimerMinute);
}

} // namespace

void birthdaysActivate()
{
    auto& env = agent::environment();
    const platform::Moment moment = env.clock->now();
    const std::optional<platform::Moment> previous = std::exchange(dateTicked, moment);
    const auto now = agent::clock_values(moment);
    const auto active = agent::clock_values(dateActive);
    if (now.month != active.month || now.day != active.day) {
        dateActive = moment;
        // Every day with birthdays gets its alert, but a clock put back across midnight comes to
        // a day that may have had it already.
        bPlayAlerts = !alertShownOnDayOf(now);
        SearchNivers();
    }
    if (!bAlert)
        return;
    if (bSound != 1 && bPopup != 1)
        return;

    if (iStandby == 1) {
        const bool in_set_minute = now.hour == iTimerHour && now.minute == iTimerMinute;
        const bool past_it =
            now.hour > iTimerHour || (now.hour == iTimerHour && now.minute > iTimerMinute);
        // A set minute that does not exist that day is paid at the first check after it.
        const bool jumped_over = past_it && previous && moment - *previous < kJumpWindow &&
                                 before_set_minute_of_day(agent::clock_values(*previous), now);
        if ((in_set_minute || jumped_over) && !alertShownForSetTime(now))
            ShowAlerts();
        else if (past_it)
            bAlert = false;
        return;
    }
    const bool at_or_after_set_time =
        now.hour > iTimerHour || (now.hour == iTimerHour && now.minute >= iTimerMinute);
    if (at_or_after_set_time && bPlayAlerts)
        ShowAlerts();
}
