#pragma once
// An address book held in memory, for the tests of whatever reads or writes persons: the same
// contract as the device's store (identifiers ascend and are never reused, invalid birthdays,
// texts that are not UTF-8 and unknown identifiers are refused, a list of persons is saved all or
// none), without a file. A test may derive from it to count or refuse reads.
#include "addressbook/AddressBook.h"

#include <map>

namespace ab {

class InMemoryAddressBook : public AddressBook {
public:
    std::vector<PersonSummary> copyArrayOfAllPeople() const override;
    bool visitAllPeople(PersonVisitor& visitor) const override;
    size_t personCount() const override { return persons_.size(); }
    std::optional<Person> personWithRecordID(RecordID id) const override;
    std::vector<uint8_t> copyImageData(RecordID id) const override;

    bool save(Person& person) override;
    bool save(std::vector<Person>& persons) override;
    bool remove(RecordID id) override;
    std::optional<Person> edit(RecordID id, const std::function<void(Person&)>& apply) override;

    std::optional<std::vector<Person>> copyAllPersons() const override;
    bool change(const std::function<Changes(const std::vector<Person>&)>& plan) override;
    std::optional<StoreProblem> lastProblem() const override { return problem_; }

private:
    bool acceptable(const Person& person);

    std::map<RecordID, Person> persons_;
    RecordID lastID_ = 0;
    std::optional<StoreProblem> problem_;
};

} // namespace ab
