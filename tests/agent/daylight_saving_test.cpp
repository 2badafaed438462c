// The agent's clock values are made once per process in the time zone in force then, so this suite
// has a process of its own, in a zone whose clocks jump from 02:00 to 03:00 on 8 March 2009.
#include "AgentFixture.h"
#include "platform/ScopedTimeZone.h"

#include <utility>

namespace {

const platform::ScopedTimeZone kNewYork("America/New_York");

using Events = std::vector<std::string>;

class StandbyAcrossAClockJump : public AgentFixture {
protected:
    void SetUp() override
    {
        AgentFixture::SetUp();
        bBadge = 1;
        bPopup = 1;
        iStandby = 1;
        add_birthday(1980, 3, 8);
        add_birthday(1980, 3, 9);
    }
};

// A set minute that the day does not have alerts once, at the first minute check after it, even
// when the alert is owed again at every check; a set minute the home screen slept through does
// not, as stand-by alerts only in its minute.
TEST_F(StandbyAcrossAClockJump, ASetMinuteTheDayDoesNotHaveAlertsAtTheFirstCheckAfterIt)
{
    struct Case {
        const char* what;
        int hour, minute;
        std::vector<std::pair<platform::Moment, Events>> ticks; // 59 s apart but where said
    };
    const std::vector<Case> cases = {
        {"02:30 on the day of the jump",
         2,
         30,
         {{at(2009, 3, 8, 1, 58, 41), {}},
          {at(2009, 3, 8, 1, 59, 40), {}},
          {at(2009, 3, 8, 3, 0, 39), {kAlert}},
          {at(2009, 3, 8, 3, 1, 38), {}}}},
        {"02:00 on the day of the jump",
         2,
         0,
         {{at(2009, 3, 8, 1, 59, 40), {}}, {at(2009, 3, 8, 3, 0, 39), {kAlert}}}},
        {"02:30 on the next day, slept through",
         2,
         30,
         {{at(2009, 3, 9, 2, 29, 0), {}}, {at(2009, 3, 9, 2, 31, 30), {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        iTimerHour = c.hour;
        iTimerMinute = c.minute;
        lastAlert.reset();
        dateTicked.reset();
        now_running(c.ticks.front().first);
        for (const auto& [moment, expected] : c.ticks) {
            clock.set(moment);
            SearchNivers(); // owed again at every check
            take_events();
            birthdaysActivate();
            EXPECT_EQ(take_events(), expected);
        }
    }
}

} // namespace
