#include "DailyCheck.h"

#include "AgentEnvironment.h"
#include "ClockValues.h"

void birthdaysActivate() {
    auto& env = agent::environment();
    const platform::Moment moment = env.clock->now();
    const auto now = agent::clock_values(moment);
    const auto active = agent::clock_values(dateActive);
    if (now.month != active.month || now.day != active.day) {
        dateActive = moment;
        // Every day with birthdays gets its alert, but a clock put back across midnight comes to
        // a day that may have had it already.
        bPlayAlerts = !alertShownOnDayOf(now);
        SearchNivers();
    }
    if (!bAlert) return;
    if (bSound != 1 && bPopup != 1) return;

    if (iStandby == 1) {
        if (now.hour == iTimerHour) {
            if (now.minute == iTimerMinute && !alertShownOnDayOf(now)) ShowAlerts();
            else if (now.minute > iTimerMinute) bAlert = false;
        } else if (now.hour > iTimerHour) {
            bAlert = false;
        }
        return;
    }
    const bool at_or_after_set_time =
        now.hour > iTimerHour || (now.hour == iTimerHour && now.minute >= iTimerMinute);
    if (at_or_after_set_time && bPlayAlerts) ShowAlerts();
}
