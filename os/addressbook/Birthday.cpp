#include "addressbook/AddressBook.h"
#include "foundation/CivilDates.h"

#include <cstdio>

namespace ab {

int days_in_birthday_month(int year, int month)
{
    if (month == 2 && year == kUnknownYear)
        return 29;
    return os::daysInMonth(year, month);
}

bool is_valid_birthday(const CivilDate& date)
{
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
        return false;
    // Every month has 28 days: most dates need no look at the calendar, which a read of the
    // whole book would otherwise ask once per person.
    return date.day <= 28 || date.day <= days_in_birthday_month(date.year, date.month);
}

std::string iso_date_text(const CivilDate& date)
{
    char text[16];
    if (date.year == kUnknownYear)
        std::snprintf(text, sizeof text, "--%02d-%02d", date.month, date.day);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<CivilDate> parse_iso_date(std::string_view text)
{
    const auto number = [&](size_t from, size_t count) {
        int value = 0;
        for (const char c : text.substr(from, count)) {
            if (c < '0' || c > '9')
                return -1;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    CivilDate date;
    if (text.size() == 7 && text.starts_with("--") && text[4] == '-')
        date = {kUnknownYear, number(2, 2), number(5, 2)};
    else if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        date = {number(0, 4), number(5, 2), number(8, 2)};
    else
        return std::nullopt;
    if (!is_valid_birthday(date))
        return std::nullopt;
    return date;
}

const char* invalid_date_field(const Person& person)
{
    if (person.birthday && !is_valid_birthday(*person.birthday))
        return "birthday";
    for (const auto& labeled : person.dates)
        if (!is_valid_birthday(labeled.date))
            return "labelled date";
    return nullptr;
}

} // namespace ab
