#include "addressbook/AddressBook.h"

namespace ab {

bool is_valid_birthday(const CivilDate& date) {
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const bool february_29 = date.month == 2 && date.day == 29;
    if (february_29) return leap || date.year == kUnknownYear;
    return date.day <= kDays[date.month - 1];
}

} // namespace ab
