#include "addressbook/AddressBook.h"

#include "foundation/CivilDates.h"

namespace ab {

int days_in_birthday_month(int year, int month)
{
    if (month == 2 && year == kUnknownYear)
        return 29;
    return os::daysInMonth(year, month);
}

bool is_valid_birthday(const CivilDate& date)
{
    if (date.year < 1 || date.year > 9999)
        return false;
    return date.day >= 1 && date.day <= days_in_birthday_month(date.year, date.month);
}

} // namespace ab
