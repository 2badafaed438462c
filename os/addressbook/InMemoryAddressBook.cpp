#include "addressbook/InMemoryAddressBook.h"

#include "addressbook/PersonText.h"

#include <algorithm>

namespace ab {

std::vector<PersonSummary> InMemoryAddressBook::copyArrayOfAllPeople() const
{
    std::vector<PersonSummary> all;
    all.reserve(persons_.size());
    for (const auto& [id, person] : persons_)
        all.push_back(
            {id, person.first_name, person.last_name, person.birthday, !person.image_data.empty()});
    return all;
}

bool InMemoryAddressBook::visitAllPeople(PersonVisitor& visitor) const
{
    visitor.expect(persons_.size());
    for (const auto& [id, person] : persons_)
        visitor.visit(
            {id, person.first_name, person.last_name, person.birthday, !person.image_data.empty()});
    return true;
}

std::optional<Person> InMemoryAddressBook::personWithRecordID(RecordID id) const
{
    const auto it = persons_.find(id);
    if (it == persons_.end())
        return std::nullopt;
    return it->second;
}

std::vector<uint8_t> InMemoryAddressBook::copyImageData(RecordID id) const
{
    const auto it = persons_.find(id);
    return it == persons_.end() ? std::vector<uint8_t>{} : it->second.image_data;
}

bool InMemoryAddressBook::acceptable(const Person& person)
{
    const bool valid = invalid_date_field(person) == nullptr &&
                       invalid_text_field(person) == nullptr &&
                       (person.id == kInvalidRecordID || persons_.contains(person.id));
    if (!valid)
        problem_ = StoreProblem{StoreProblem::kInvalidPerson, {}};
    return valid;
}

bool InMemoryAddressBook::save(Person& person)
{
    problem_.reset();
    if (!acceptable(person))
        return false;
    if (person.id == kInvalidRecordID)
        person.id = ++lastID_;
    persons_[person.id] = person;
    return true;
}

bool InMemoryAddressBook::save(std::vector<Person>& persons)
{
    problem_.reset();
    for (const Person& person : persons)
        if (!acceptable(person))
            return false;
    for (Person& person : persons)
        save(person);
    return true;
}

bool InMemoryAddressBook::remove(RecordID id)
{
    problem_.reset();
    return persons_.erase(id) > 0;
}

std::optional<Person> InMemoryAddressBook::edit(RecordID id,
                                                const std::function<void(Person&)>& apply)
{
    problem_.reset();
    const auto it = persons_.find(id);
    if (it == persons_.end()) {
        problem_ = StoreProblem{StoreProblem::kInvalidPerson, {}};
        return std::nullopt;
    }
    Person person = it->second;
    apply(person);
    person.id = id;
    if (!acceptable(person))
        return std::nullopt;
    it->second = person;
    return person;
}

std::optional<std::vector<Person>> InMemoryAddressBook::copyAllPersons() const
{
    std::vector<Person> all;
    all.reserve(persons_.size());
    for (const auto& entry : persons_)
        all.push_back(entry.second);
    return all;
}

// All or nothing, like the store's transaction: the removals, then the saves, are all checked
// before any is made; a save of a person the same change removes is refused.
bool InMemoryAddressBook::change(const std::function<Changes(const std::vector<Person>&)>& plan)
{
    problem_.reset();
    Changes changes = plan(*copyAllPersons());
    const auto removed = [&](RecordID id) {
        return std::find(changes.removals.begin(), changes.removals.end(), id) !=
               changes.removals.end();
    };
    for (RecordID id : changes.removals)
        if (!persons_.contains(id)) {
            problem_ = StoreProblem{StoreProblem::kInvalidPerson, {}};
            return false;
        }
    for (const Person& person : changes.saves)
        if (!acceptable(person) || (person.id != kInvalidRecordID && removed(person.id))) {
            problem_ = StoreProblem{StoreProblem::kInvalidPerson, {}};
            return false;
        }
    for (RecordID id : changes.removals)
        persons_.erase(id);
    for (Person& person : changes.saves)
        save(person);
    return true;
}

} // namespace ab
