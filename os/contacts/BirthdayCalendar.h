#pragma once
// Birthdays as iCalendar events (libical): one yearly all-day event per person, with reminders,
// for any calendar program to show and to remind ahead of the day.
#include "addressbook/AddressBook.h"

#include <ctime>
#include <optional>
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

// One iCalendar object holding the events, each stamped (DTSTAMP) with `stamp`.
std::string calendar_text(const std::vector<BirthdayEvent>& events, const Reminders& reminders,
                          std::time_t stamp);

// The stamp of a calendar that calendar_text wrote; nullopt for any other text, so that files
// of other programs are never taken for ours.
std::optional<std::time_t> stamp_of_our_calendar(const std::string& text);

} // namespace contacts
