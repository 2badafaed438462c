#pragma once
// Dates and times as the device writes them: in the locale of its texts (os::deviceLocale), in
// the order and the words ICU's patterns give that locale.
#include <string>

namespace uikit {

// A calendar date: "December 9, 1990", "9 de dezembro de 1990"; without the year "December 9",
// "9 de dezembro".
std::string deviceDateText(int year, int month, int day, bool withYear);

// A month's name standing alone, capitalised as a title (as the application writes months):
// "December", "Dezembro".
std::string deviceMonthName(int month);

// A time of day in the locale's 12- or 24-hour form: "9:41 PM", "21:41".
std::string deviceTimeText(int hour, int minute);

} // namespace uikit
