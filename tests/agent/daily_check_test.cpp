#include "AgentFixture.h"
#include "ClockValues.h"
#include "LastAlertRecord.h"

#include <fstream>
#include <tuple>

namespace {

using Events = std::vector<std::string>;

// --- Counting today's birthdays (SearchNivers) ---

class Counting : public AgentFixture {};

TEST_F(Counting, CountsTodaysBirthdaysWhateverTheYearAndSkipsPersonsWithoutOne)
{
    now_running(at(2009, 3, 10, 9, 0));
    bBadge = 1;
    add_birthday(1980, 3, 10);
    add_birthday(1900, 3, 10); // year unknown
    add_birthday(2001, 3, 10);
    add_birthday(1980, 3, 11);
    add_birthday(1980, 10, 3);
    ab::Person without;
    without.first_name = "No birthday";
    book.save(without);
    SearchNivers();
    EXPECT_EQ(take_events(), Events{"badge 3"});
    EXPECT_TRUE(bAlert);
}

TEST_F(Counting, NoBirthdayTodayRemovesTheBadgeAndClearsTheOwedAlert)
{
    now_running(at(2009, 3, 10, 9, 0));
    bBadge = 1;
    bAlert = true;
    add_birthday(1980, 3, 11);
    SearchNivers();
    EXPECT_EQ(take_events(), Events{"badge "});
    EXPECT_FALSE(bAlert);

    book = {};
    bAlert = true;
    SearchNivers();
    EXPECT_EQ(take_events(), Events{"badge "}) << "an empty address book counts 0";
    EXPECT_FALSE(bAlert);
}

TEST_F(Counting, BadgeOffStillCountsAndOwesTheAlertButOnlyRemovesTheBadge)
{
    now_running(at(2009, 3, 10, 9, 0));
    add_birthday(1980, 3, 10);
    bBadge = 0;
    bAlert = false;
    SearchNivers();
    EXPECT_EQ(take_events(), Events{"badge "});
    EXPECT_TRUE(bAlert);
    bBadge = 2; // any non-zero value shows the badge
    SearchNivers();
    EXPECT_EQ(take_events(), Events{"badge 1"});
}

TEST_F(Counting, TwentyNinthOfFebruaryIsObservedOnTheFirstOfMarchInACommonYear)
{
    bBadge = 1;
    add_birthday(1980, 2, 29);
    const std::vector<std::tuple<platform::Moment, std::string>> days = {
        {at(2012, 2, 29, 12, 0), "badge 1"}, // leap year: its own day
        {at(2012, 3, 1, 12, 0), "badge "}, // leap year: not the day after
        {at(2009, 3, 1, 12, 0), "badge 1"}, // common year: 1 March
        {at(2009, 2, 28, 12, 0), "badge "},
        {at(2100, 3, 1, 12, 0), "badge 1"}, // a century year that is not a leap year
    };
    for (const auto& [day, expected] : days) {
        now_running(day);
        SearchNivers();
        EXPECT_EQ(take_events(), Events{expected});
    }
}

// --- The state of the owed alert (bAlert) and of the arming (bPlayAlerts) ---

class AlertState : public AgentFixture {};

TEST_F(AlertState, ShowAlertsPaysTheAlertAndDisarms)
{
    bPopup = 1;
    bSound = 1;
    bAlert = true;
    bPlayAlerts = true;
    ShowAlerts();
    EXPECT_FALSE(bAlert);
    EXPECT_FALSE(bPlayAlerts);
    EXPECT_EQ(take_events(), (Events{kAlert, kAlertSound}));
}

TEST_F(AlertState, SetConfigArmsOnlyStrictlyBeforeTheSetTimeAndNeverDisarms)
{
    write_settings(1, 1, 1, 11, 30, 0);
    const std::vector<std::tuple<platform::Moment, bool, bool>> cases = {
        // moment, armed before, armed after
        {at(2009, 3, 10, 11, 29), false, true},  {at(2009, 3, 10, 10, 45), false, true},
        {at(2009, 3, 10, 0, 0), false, true},    {at(2009, 3, 10, 11, 30), false, false},
        {at(2009, 3, 10, 11, 31), false, false}, {at(2009, 3, 10, 12, 10), false, false},
        {at(2009, 3, 10, 11, 30), true, true},   {at(2009, 3, 10, 23, 59), true, true},
    };
    for (const auto& [moment, before, after] : cases) {
        clock.set(moment);
        bPlayAlerts = before;
        SetConfig();
        EXPECT_EQ(bPlayAlerts, after)
            << agent::clock_values(moment).hour << ":" << agent::clock_values(moment).minute;
    }
}

// --- The minute check at the set time 11:30 ---

struct Tick {
    int hour;
    int minute;
    bool alert; // the alert is shown
    bool owedAfter; // bAlert after the tick
};

class MinuteCheck : public AgentFixture {
protected:
    void SetUp() override
    {
        AgentFixture::SetUp();
        bPopup = 1;
        bSound = 1;
        iTimerHour = 11;
        iTimerMinute = 30;
    }
    void expect_tick(const Tick& tick)
    {
        now_running(at(2009, 3, 10, tick.hour, tick.minute, 20));
        bAlert = true;
        bPlayAlerts = true;
        birthdaysActivate();
        const Events expected = tick.alert ? Events{kAlert, kAlertSound} : Events{};
        EXPECT_EQ(take_events(), expected) << tick.hour << ":" << tick.minute;
        EXPECT_EQ(bAlert, tick.owedAfter) << tick.hour << ":" << tick.minute;
    }
};

TEST_F(MinuteCheck, NormalModeAlertsAtOrAfterTheSetTimeOfDay)
{
    for (const Tick& tick :
         {Tick{10, 45, false, true}, Tick{11, 29, false, true}, Tick{11, 30, true, false},
          Tick{11, 31, true, false}, Tick{12, 5, true, false}, Tick{12, 10, true, false}})
        expect_tick(tick);
}

TEST_F(MinuteCheck, StandbyModeAlertsOnlyInTheSetMinute)
{
    iStandby = 1;
    for (const Tick& tick :
         {Tick{10, 45, false, true}, Tick{11, 29, false, true}, Tick{11, 30, true, false},
          Tick{11, 31, false, false}, Tick{12, 5, false, false}, Tick{12, 10, false, false}})
        expect_tick(tick);
}

TEST_F(MinuteCheck, NormalModeAlertComesOncePerArming)
{
    bBadge = 1;
    add_birthday(1980, 3, 10);
    now_running(at(2009, 3, 10, 11, 29, 50));
    SearchNivers();
    take_events();
    birthdaysActivate();
    EXPECT_EQ(take_events(), Events{});
    clock.advance_seconds(59);
    birthdaysActivate();
    EXPECT_EQ(take_events(), (Events{kAlert, kAlertSound}));
    for (int i = 0; i < 5; ++i) {
        clock.advance_seconds(59);
        birthdaysActivate();
    }
    EXPECT_EQ(take_events(), Events{});

    SearchNivers(); // the address book changed the same day: owed again, but not armed
    take_events();
    EXPECT_TRUE(bAlert);
    clock.advance_seconds(59);
    birthdaysActivate();
    EXPECT_EQ(take_events(), Events{});
}

TEST_F(MinuteCheck, TwoTicksInTheSetMinuteAlertOnce)
{
    iStandby = 1;
    now_running(at(2009, 3, 10, 11, 30, 0));
    bAlert = true;
    birthdaysActivate();
    clock.advance_seconds(59);
    birthdaysActivate();
    EXPECT_EQ(take_events(), (Events{kAlert, kAlertSound}));
}

TEST_F(MinuteCheck, PopupAndSoundAreEachTheirOwnSwitch)
{
    const std::vector<std::tuple<int, int, Events, bool>> cases = {
        // popup, sound, effects, owed after
        {1, 0, Events{kAlert}, false},
        {0, 1, Events{kAlertSound}, false},
        {0, 0, Events{}, true},
        {2, 2, Events{}, true}, // only 1 is on
        {2, 1, Events{kAlertSound}, false},
        {1, 2, Events{kAlert}, false},
    };
    for (const auto& [popup, sound, effects, owed] : cases) {
        bPopup = popup;
        bSound = sound;
        now_running(at(2009, 3, 10, 11, 30));
        bAlert = true;
        bPlayAlerts = true;
        birthdaysActivate();
        EXPECT_EQ(take_events(), effects) << popup << " " << sound;
        EXPECT_EQ(bAlert, owed) << popup << " " << sound;
    }
}

TEST_F(MinuteCheck, StandbyOtherThanOneIsNormalMode)
{
    iStandby = 2;
    expect_tick(Tick{12, 10, true, false}); // stand-by would only clear it
}

TEST_F(MinuteCheck, NothingIsOwedWithoutACount)
{
    now_running(at(2009, 3, 10, 11, 30));
    bAlert = false;
    birthdaysActivate();
    EXPECT_EQ(take_events(), Events{});
}

TEST_F(MinuteCheck, FirstTickOfTheNewDayRecountsThenAlertsForThatDay)
{
    bBadge = 1;
    iStandby = 1;
    iTimerHour = 0;
    iTimerMinute = 0;
    bPopup = 1;
    bSound = 0;
    add_birthday(1975, 3, 11);
    clock.set(at(2009, 3, 11, 0, 0, 40));
    dateActive = at(2009, 3, 10, 23, 59, 41);
    birthdaysActivate();
    EXPECT_EQ(take_events(), (Events{"badge 1", kAlert}));
    EXPECT_FALSE(bAlert);
}

TEST_F(MinuteCheck, AlertComesOnTwoDaysRunningWithoutReadingTheSettingsAgain)
{
    bBadge = 1;
    add_birthday(1975, 3, 10);
    add_birthday(1988, 3, 11);
    now_running(at(2009, 3, 10, 8, 0));
    SearchNivers();
    EXPECT_EQ(take_events(), Events{"badge 1"});

    clock.set(at(2009, 3, 10, 11, 30, 10));
    birthdaysActivate();
    EXPECT_EQ(take_events(), (Events{kAlert, kAlertSound}));

    clock.set(at(2009, 3, 11, 0, 0, 20));
    birthdaysActivate();
    EXPECT_EQ(take_events(), Events{"badge 1"});
    clock.set(at(2009, 3, 11, 11, 29, 30));
    birthdaysActivate();
    EXPECT_EQ(take_events(), Events{});
    clock.set(at(2009, 3, 11, 11, 30, 29));
    birthdaysActivate();
    EXPECT_EQ(take_events(), (Events{kAlert, kAlertSound}));
    EXPECT_EQ(live_sounds(), 1u) << "yesterday's alert sound was let go";
}

// --- One alert per calendar day ---

class OneAlertADay : public MinuteCheck {
protected:
    void SetUp() override
    {
        MinuteCheck::SetUp();
        write_settings(1, 1, 1, 11, 30, 0);
        add_birthday(1975, 3, 10);
        add_birthday(1988, 3, 11);
    }
    // What the application's change notice makes the agent do.
    void notice_at(platform::Moment moment)
    {
        clock.set(moment);
        SetConfig();
        SearchNivers();
    }
    Events tick_at(platform::Moment moment)
    {
        clock.set(moment);
        birthdaysActivate();
        return take_events();
    }
    void alert_shown_at_1130_on_the_10th()
    {
        notice_at(at(2009, 3, 10, 8, 0));
        dateActive = clock.now();
        ASSERT_EQ(tick_at(at(2009, 3, 10, 11, 30, 5)), (Events{"badge 1", kAlert, kAlertSound}));
    }
};

// After the alert of 11:30 on the 10th, the application's change notice reads the settings again.
// Only a set time moved to a moment still ahead brings a second alert that day; stand-by mode
// alerts in its own set minute whatever came earlier.
TEST_F(OneAlertADay, OnlyASetTimeStillAheadBringsASecondOneThatDay)
{
    struct Case {
        const char* what;
        int fromStandby; // the mode the alert of 11:30 came in
        int standby, hour, minute; // what the notice reads
        platform::Moment notice;
        std::vector<std::pair<platform::Moment, Events>> ticks;
    };
    const Events alert{kAlert, kAlertSound};
    const std::vector<Case> cases = {
        {"time moved later",
         0,
         0,
         14,
         0,
         at(2009, 3, 10, 12, 0),
         {{at(2009, 3, 10, 13, 59, 10), {}},
          {at(2009, 3, 10, 14, 0, 10), alert},
          {at(2009, 3, 10, 18, 0), {}},
          // The next day has its own alert, at the new time.
          {at(2009, 3, 11, 0, 0, 30), {"badge 1"}},
          {at(2009, 3, 11, 13, 59), {}},
          {at(2009, 3, 11, 14, 0), alert}}},
        {"time moved later, notice after it",
         0,
         0,
         14,
         0,
         at(2009, 3, 10, 14, 5),
         {{at(2009, 3, 10, 14, 5, 30), {}}}},
        {"notice that moved nothing",
         0,
         0,
         11,
         30,
         at(2009, 3, 10, 12, 0),
         {{at(2009, 3, 10, 12, 0, 30), {}}, {at(2009, 3, 10, 18, 0), {}}}},
        {"clock put back an hour",
         0,
         0,
         11,
         30,
         at(2009, 3, 10, 10, 35),
         {{at(2009, 3, 10, 11, 30, 5), {}}, {at(2009, 3, 10, 11, 31, 4), {}}}},
        {"clock put back an hour in stand-by",
         1,
         1,
         11,
         30,
         at(2009, 3, 10, 10, 35),
         {{at(2009, 3, 10, 11, 30, 5), {}}, {at(2009, 3, 10, 11, 31, 4), {}}}},
        {"switched to stand-by at a later minute",
         0,
         1,
         11,
         33,
         at(2009, 3, 10, 11, 31),
         {{at(2009, 3, 10, 11, 32, 10), {}},
          {at(2009, 3, 10, 11, 33, 9), alert},
          {at(2009, 3, 10, 11, 33, 50), {}}}},
        {"switched to stand-by in the minute shown",
         0,
         1,
         11,
         30,
         at(2009, 3, 10, 11, 30, 40),
         {{at(2009, 3, 10, 11, 30, 50), {}}, {at(2009, 3, 10, 11, 31, 49), {}}}},
        {"stand-by moved later",
         1,
         1,
         11,
         40,
         at(2009, 3, 10, 11, 31),
         {{at(2009, 3, 10, 11, 40, 10), alert}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write_settings(1, 1, 1, 11, 30, c.fromStandby);
        lastAlert.reset();
        dateTicked.reset();
        alert_shown_at_1130_on_the_10th();
        write_settings(1, 1, 1, c.hour, c.minute, c.standby);
        notice_at(c.notice);
        EXPECT_EQ(take_events(), Events{"badge 1"});
        EXPECT_TRUE(bAlert);
        for (const auto& [moment, expected] : c.ticks)
            EXPECT_EQ(tick_at(moment), expected);
    }
}

TEST_F(OneAlertADay, AClockPutBackAcrossMidnightBringsNoSecondOne)
{
    write_settings(1, 1, 1, 23, 30, 0);
    notice_at(at(2009, 3, 10, 8, 0));
    dateActive = clock.now();
    take_events();
    ASSERT_EQ(tick_at(at(2009, 3, 10, 23, 30, 5)), (Events{kAlert, kAlertSound}));
    EXPECT_EQ(tick_at(at(2009, 3, 11, 0, 20)), Events{"badge 1"});
    EXPECT_EQ(tick_at(at(2009, 3, 10, 23, 20)), Events{"badge 1"}) << "the 10th again: recounted";
    EXPECT_EQ(tick_at(at(2009, 3, 10, 23, 30, 1)), Events{});
    EXPECT_EQ(tick_at(at(2009, 3, 11, 0, 0, 2)), Events{"badge 1"});
    EXPECT_EQ(tick_at(at(2009, 3, 11, 23, 30, 3)), (Events{kAlert, kAlertSound}))
        << "the 11th's own";
}

// A home screen started again (a new login, a crash) knows the alert kept in the device: it never
// shows one twice for the same set time and day, but still pays one that nothing was running to
// show, at its first minute check.
TEST_F(OneAlertADay, AHomeScreenStartedAgainAlertsOnlyWhatItStillOwes)
{
    struct Case {
        const char* what;
        int standby, hour, minute; // the settings at the new start
        const char* record; // the kept alert; nullptr: the one shown at 11:30 on the 10th
        platform::Moment start;
        std::vector<std::pair<platform::Moment, Events>> ticks;
    };
    const Events alert{kAlert, kAlertSound};
    const std::vector<Case> cases = {
        {"same day, after the alert",
         0,
         11,
         30,
         nullptr,
         at(2009, 3, 10, 12, 0),
         {{at(2009, 3, 10, 12, 0, 59), {}}, {at(2009, 3, 10, 18, 0), {}}}},
        {"same day, in the minute shown, stand-by",
         1,
         11,
         30,
         nullptr,
         at(2009, 3, 10, 11, 30, 20),
         {{at(2009, 3, 10, 11, 30, 50), {}}}},
        {"same day, set time moved ahead meanwhile",
         0,
         14,
         0,
         nullptr,
         at(2009, 3, 10, 12, 0),
         {{at(2009, 3, 10, 12, 0, 59), {}}, {at(2009, 3, 10, 14, 0, 10), alert}}},
        {"yesterday's alert: today's was missed",
         0,
         11,
         30,
         "2009-03-09 11:30\n",
         at(2009, 3, 10, 12, 0),
         {{at(2009, 3, 10, 12, 0, 59), alert}, {at(2009, 3, 10, 12, 1, 58), {}}}},
        {"no alert kept",
         0,
         11,
         30,
         "",
         at(2009, 3, 10, 12, 0),
         {{at(2009, 3, 10, 12, 0, 59), alert}}},
        {"a record that does not read",
         0,
         11,
         30,
         "2009-03-10 11:30 and more\n",
         at(2009, 3, 10, 12, 0),
         {{at(2009, 3, 10, 12, 0, 59), alert}}},
    };
    const auto record = device.path(agent::kLastAlertPath);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write_settings(1, 1, 1, 11, 30, c.standby);
        lastAlert.reset();
        dateTicked.reset();
        alert_shown_at_1130_on_the_10th();
        if (c.record != nullptr)
            std::ofstream(record) << c.record;
        write_settings(1, 1, 1, c.hour, c.minute, c.standby);

        // The new process: every variable at its load value, then the launch and its first
        // ten-second check.
        bAlert = false;
        bPlayAlerts = true;
        lastAlert.reset();
        dateTicked.reset();
        now_running(c.start);
        agent::recall_last_alert();
        SetConfig();
        SearchNivers();
        EXPECT_EQ(take_events(), Events{"badge 1"});
        for (const auto& [moment, expected] : c.ticks)
            EXPECT_EQ(tick_at(moment), expected);
    }
}

// The alert names today's persons as counted, in the order of the book; one without a name is
// counted but not named.
TEST_F(MinuteCheck, TheAlertIsAboutTodaysPersonsByName)
{
    const auto person = [this](const char* first, const char* last, int day) {
        ab::Person p;
        if (first)
            p.first_name = first;
        if (last)
            p.last_name = last;
        p.birthday = ab::CivilDate{1980, 3, day};
        book.save(p);
    };
    person("Ana", "Lima", 10);
    person(nullptr, "Silva", 10);
    person(nullptr, nullptr, 10);
    person("Bruno", nullptr, 11);
    bBadge = 1;
    now_running(at(2009, 3, 10, 11, 30, 5));
    SearchNivers();
    birthdaysActivate();
    EXPECT_EQ(take_events(), (Events{"badge 3", kAlert, kAlertSound}));
    EXPECT_EQ(alertNames, (std::vector<std::string>{"Ana Lima", "Silva"}));
}

TEST_F(MinuteCheck, ANewDayWithoutBirthdaysOwesNothing)
{
    bBadge = 1;
    add_birthday(1975, 3, 10);
    now_running(at(2009, 3, 10, 8, 0));
    SearchNivers();
    take_events();
    clock.set(at(2009, 3, 11, 11, 30));
    birthdaysActivate();
    EXPECT_EQ(take_events(), Events{"badge "});
    EXPECT_FALSE(bAlert);
}

// --- The ten-second check: stand-by sound ---

TEST_F(AgentFixture, StandbyTickPlaysTheShortSoundEachTimeAndLetsItGo)
{
    std::filesystem::create_directories(device.path(ab::kDeviceStorePath).parent_path());
    std::ofstream(device.path(ab::kDeviceStorePath)) << "book";
    iStandby = 1;
    birthdaysActivate2();
    take_events(); // the first tick also counts
    birthdaysActivate2();
    birthdaysActivate2();
    EXPECT_EQ(take_events(), (Events{kTrickSound, kTrickSound}));
    EXPECT_EQ(live_sounds(), 0u);
    for (const int other : {0, 2}) {
        iStandby = other;
        birthdaysActivate2();
        EXPECT_EQ(take_events(), Events{});
    }
}

} // namespace
