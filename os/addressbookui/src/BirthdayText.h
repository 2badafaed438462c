#pragma once
// How the person screen writes a birthday: in the device's language and its order, "March 5,
// 1980", "5 de março de 1980".
#include "addressbook/AddressBook.h"

#include <string>

namespace addressbookui {

// The month's name standing alone, as the stepper shows it.
std::string monthText(int month);
// The date in the locale's order; without the year when it is unknown.
std::string birthdayText(const ab::CivilDate& date);
// The year, or "no year" for the unknown one.
std::string yearText(int year);

} // namespace addressbookui
