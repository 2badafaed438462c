#include "addressbook/InMemoryAddressBook.h"

namespace ab {

std::vector<PersonSummary> InMemoryAddressBook::copyArrayOfAllPeople() const {
    std::vector<PersonSummary> all;
    all.reserve(persons_.size());
    for (const auto& [id, person] : persons_)
        all.push_back({id, person.first_name, person.last_name, person.birthday,
                       !person.image_data.empty()});
    return all;
}

std::optional<Person> InMemoryAddressBook::personWithRecordID(RecordID id) const {
    const auto it = persons_.find(id);
    if (it == persons_.end()) return std::nullopt;
    return it->second;
}

std::vector<uint8_t> InMemoryAddressBook::copyImageData(RecordID id) const {
    const auto it = persons_.find(id);
    return it == persons_.end() ? std::vector<uint8_t>{} : it->second.image_data;
}

bool InMemoryAddressBook::acceptable(const Person& person) const {
    if (person.birthday && !is_valid_birthday(*person.birthday)) return false;
    return person.id == kInvalidRecordID || persons_.contains(person.id);
}

bool InMemoryAddressBook::save(Person& person) {
    if (!acceptable(person)) return false;
    if (person.id == kInvalidRecordID) person.id = ++lastID_;
    persons_[person.id] = person;
    return true;
}

bool InMemoryAddressBook::save(std::vector<Person>& persons) {
    for (const Person& person : persons)
        if (!acceptable(person)) return false;
    for (Person& person : persons) save(person);
    return true;
}

bool InMemoryAddressBook::remove(RecordID id) { return persons_.erase(id) > 0; }

} // namespace ab
