#include "AgentEnvironment.h"
#include "DailyCheck.h"
#include "LastAlertRecord.h"

bool alertShownOnDayOf(const agent::ClockValues& now)
{
    if (!lastAlert)
        return false;
    return lastAlert->year == now.year && lastAlert->month == now.month &&
           lastAlert->day == now.day;
}

bool alertShownForSetTime(const agent::ClockValues& now)
{
    return alertShownOnDayOf(now) && lastAlert->hour == iTimerHour &&
           lastAlert->minute == iTimerMinute;
}

void ShowAlerts()
{
    auto& env = agent::environment();
    bAlert = false;
    bPlayAlerts = false;
    const auto today = agent::clock_values(env.clock->now());
    lastAlert = ShownAlert{today.year, today.month, today.day, iTimerHour, iTimerMinute};
    agent::keep_last_alert();
    if (bPopup == 1 && env.showAlert)
        env.showAlert("Tortamos", "You have birthdays today", "Dismiss", todaysNames);
    if (bSound == 1) {
        // One alert sound a day: the previous day's is let go before the new one is made.
        if (soundID != 0)
            env.disposeSound(soundID);
        env.createSound(soundPath, &soundID);
        env.playSound(soundID);
    }
}
