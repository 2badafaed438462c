#include "AgentEnvironment.h"
#include "ClockValues.h"
#include "DailyCheck.h"
#include "addressbook/PersonName.h"
#include "platform/BirthdayRules.h"

#include <string>
#include <vector>

namespace {

class TodaysBirthdays final : public ab::PersonVisitor {
public:
    explicit TodaysBirthdays(const agent::ClockValues& today) : today_(today) {}
    void visit(const ab::PersonSummaryView& person) override
    {
        if (!person.birthday)
            return;
        const auto observed =
            platform::observedBirthday(today_.year, person.birthday->month, person.birthday->day);
        if (observed.month != today_.month || observed.day != today_.day)
            return;
        ++count;
        std::string name = ab::full_name(person.first_name.value_or(std::string_view()),
                                         person.last_name.value_or(std::string_view()));
        if (!name.empty())
            names.push_back(std::move(name));
    }
    int count = 0;
    std::vector<std::string> names; // of those counted who have a name

private:
    agent::ClockValues today_;
};

} // namespace

void SearchNivers()
{
    auto& env = agent::environment();
    TodaysBirthdays today(agent::clock_values(env.clock->now()));
    if (!env.addressBook->visitAllPeople(today)) {
        // A book another program holds is no empty book: the last count stands, badge and owed
        // alert alike, and the stamp is forgotten so that the next ten-second check counts again.
        nsAddressBookDate = agent::kNoStampYet;
        return;
    }
    // Switching the badge off only hides the count: the birthdays are still owed their alert.
    const int count = today.count;
    bAlert = count > 0;
    todaysNames = std::move(today.names);
    const std::string text = bBadge != 0 && count > 0 ? std::to_string(count) : std::string();
    env.setBadge(agent::kApplicationIdentifier, text.c_str());
}
