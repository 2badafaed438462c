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

// Stores the person in the book as a new one, whatever identifier it had; returns the identifier
// it got (also set in person.id), kInvalidRecordID when the book refused it.
inline ab::RecordID add_person(ab::AddressBook& book, ab::Person& person)
{
    person.id = ab::kInvalidRecordID;
    return book.save(person) ? person.id : ab::kInvalidRecordID;
}

inline ab::RecordID add_person(ab::AddressBook& book, ab::Person&& person)
{
    return add_person(book, person);
}
