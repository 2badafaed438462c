#pragma once
// How the person screen writes a birthday: "March 5, 1980", the month in the user's language.
#include <addressbook/AddressBook.h>

#include <string>

namespace addressbookui {

// The month's name from the main bundle's translations (its English name is the key).
std::string monthText(int month);
// Month, day and year; without the year when it is unknown.
std::string birthdayText(const ab::CivilDate& date);
// The year, or "no year" for the unknown one.
std::string yearText(int year);

} // namespace addressbookui
