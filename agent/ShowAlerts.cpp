#include "DailyCheck.h"

#include "AgentEnvironment.h"

bool alertShownOnDayOf(const agent::ClockValues& now)
{
    if (!lastAlert)
        return false;
    const agent::ClockValues shown = agent::clock_values(lastAlert->moment);
    return shown.year == now.year && shown.month == now.month && shown.day == now.day;
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
    lastAlert = ShownAlert{env.clock->now(), iTimerHour, iTimerMinute};
    if (bPopup == 1 && env.showAlert)
        env.showAlert("Tortamos", "You have birthdays today", "Dismiss");
    if (bSound == 1) {
        // One alert sound a day: the previous day's is let go before the new one is made.
        if (soundID != 0)
            env.disposeSound(soundID);
        env.createSound(soundPath, &soundID);
        env.playSound(soundID);
    }
}
