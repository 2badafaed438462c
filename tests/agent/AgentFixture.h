#pragma once
// A temporary device and the agent's state at its load values, with a fixed clock, an address
// book in memory and sinks that record, in order, every badge, alert and sound.
#include "AgentEnvironment.h"
#include "DailyCheck.h"
#include "TempDevice.h"
#include "addressbook/InMemoryAddressBook.h"
#include "platform/DateServices.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

class AgentFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { agent::environment() = saved_; }

    // A local moment.
    platform::Moment at(int year, int month, int day, int hour, int minute, int second = 0) const
    {
        return calendar_.dateFromParts(year, month, day, hour, minute) + second * 1000.0;
    }
    // Sets the clock; dateActive is put on the same day, as if the agent had been running.
    void now_running(platform::Moment moment)
    {
        clock.set(moment);
        dateActive = moment;
    }
    void add_birthday(int year, int month, int day);
    // The Settings file in the current layout with one row.
    void write_settings(int badge, int sound, int popup, int hour, int minute, int standby);

    // Recorded effects, e.g. "badge 2", "badge ", "alert Tortamos|You have birthdays
    // today|Dismiss", "sound /var/mobile/Library/Tortamos/birthday.wav".
    std::vector<std::string> events;
    std::vector<std::string> take_events() { return std::exchange(events, {}); }
    std::vector<std::string> alertNames; // whom the last alert was about
    size_t live_sounds() const { return sounds_.size(); }

    TempDevice device;
    platform::FixedClock clock;
    ab::InMemoryAddressBook book;

private:
    agent::Environment saved_ = agent::environment();
    platform::Calendar calendar_;
    std::map<SystemSoundID, std::string> sounds_;
    SystemSoundID next_sound_ = 1;
};

inline const std::string kAlert = "alert Tortamos|You have birthdays today|Dismiss";
inline const std::string kAlertSound = "sound /var/mobile/Library/Tortamos/birthday.wav";
inline const std::string kTrickSound = "sound /var/mobile/Library/Tortamos/trick.aif";
