#pragma once
// Persons for the address books of the list engine's and the main screen's tests.
#include "addressbook/AddressBook.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline ab::Person person(std::optional<std::string> first, std::optional<std::string> last,
                         std::optional<ab::CivilDate> birthday, std::vector<uint8_t> photo = {})
{
    ab::Person p;
    p.first_name = std::move(first);
    p.last_name = std::move(last);
    p.birthday = birthday;
    p.image_data = std::move(photo);
    return p;
}

// A person known by one name, born on (day, month) of the year.
inline ab::Person born(const char* name, int day, int month, int year = 1980,
                       std::vector<uint8_t> photo = {})
{
    return person(name, std::nullopt, ab::CivilDate{year, month, day}, std::move(photo));
}
