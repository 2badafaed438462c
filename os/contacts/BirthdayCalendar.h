#pragma once
// Birthdays as iCalendar events (libical): one yearly all-day event per person, with reminders,
// for any calendar program to show and to remind ahead of the day.
#include "addressbook/AddressBook.h"

#include <ctime>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace contacts {

// When the reminders of a birthday go off: so many days before the day (0: on the day), each at
// the same time of day.
struct Reminders {
    std::vector<int> days_before{0};
    int minute_of_day = 9 * 60;
};

struct BirthdayEvent {
    std::string uid; // the same on every run for the same person
    std::string name;
    ab::CivilDate birthday;
};

// The text without C0 controls, DEL and C1 controls (U+0080 to U+009F).
std::string without_controls(std::string_view text);

// One iCalendar object holding the events, each stamped (DTSTAMP) with `stamp`. Control
// characters of names and UIDs are left out: a calendar program shows what the person is called,
// and no card moves its cursor. Written event by event, so a calendar of any size costs the
// memory of one event.
void write_calendar(std::ostream& out, const std::vector<BirthdayEvent>& events,
                    const Reminders& reminders, std::time_t stamp);
std::string calendar_text(const std::vector<BirthdayEvent>& events, const Reminders& reminders,
                          std::time_t stamp);

// The event of a calendar that calendar_text wrote for one event alone: its UID and stamp.
// nullopt for any other text, the files of other programs and calendars of several events alike,
// so that no such file is ever taken for one of ours.
struct OurEvent {
    std::string uid;
    std::time_t stamp;
};
std::optional<OurEvent> our_single_event(const std::string& text);

} // namespace contacts
