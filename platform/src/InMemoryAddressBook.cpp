#include "platform/AddressBookAccess.h"

namespace platform {

ab::RecordID InMemoryAddressBook::add(ab::Person& person) {
    person.id = ++lastID_;
    persons_[person.id] = person;
    return person.id;
}

ab::RecordID InMemoryAddressBook::add(ab::Person&& person) {
    return add(person);
}

bool InMemoryAddressBook::remove(ab::RecordID id) {
    return persons_.erase(id) > 0;
}

std::vector<ab::PersonSummary> InMemoryAddressBook::copyArrayOfAllPeople() const {
    std::vector<ab::PersonSummary> all;
    all.reserve(persons_.size());
    for (const auto& [id, person] : persons_)
        all.push_back({id, person.first_name, person.last_name, person.birthday,
                       !person.image_data.empty()});
    return all;
}

std::optional<ab::Person> InMemoryAddressBook::personWithRecordID(ab::RecordID id) const {
    const auto it = persons_.find(id);
    if (it == persons_.end()) return std::nullopt;
    return it->second;
}

std::vector<uint8_t> InMemoryAddressBook::copyImageData(ab::RecordID id) const {
    const auto it = persons_.find(id);
    return it == persons_.end() ? std::vector<uint8_t>{} : it->second.image_data;
}

} // namespace platform
