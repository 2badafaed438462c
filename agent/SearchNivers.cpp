#include "DailyCheck.h"

#include "AgentEnvironment.h"
#include "ClockValues.h"
#include "platform/BirthdayRules.h"

#include <string>

void SearchNivers() {
    auto& env = agent::environment();
    const auto today = agent::clock_values(env.clock->now());
    int count = 0;
    for (const auto& person : env.addressBook->copyArrayOfAllPeople()) {
        if (!person.birthday) continue;
        const auto observed =
            platform::observedBirthday(today.year, person.birthday->month, person.birthday->day);
        if (observed.month == today.month && observed.day == today.day) ++count;
    }
    // Switching the badge off only hides the count: the birthdays are still owed their alert.
    bAlert = count > 0;
    const std::string text = bBadge != 0 && count > 0 ? std::to_string(count) : std::string();
    env.setBadge(agent::kApplicationIdentifier, text.c_str());
}
