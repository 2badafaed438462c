#pragma once
// The device's address book as a program holds it for its whole run: every call opens a fresh
// handle on the store (AddressBook::create), the way ABAddressBookCreate is made per use. So each
// read sees the store as it is then: a change saved in between, a store file removed or made
// anew. One handle kept open would go on reading the file it opened first, even once removed.
//
// lastProblem is that of the handle of the last call. Thread: one thread at a time.
#include "addressbook/AddressBook.h"

namespace ab {

class DeviceAddressBook : public AddressBook {
public:
    std::vector<PersonSummary> copyArrayOfAllPeople() const override;
    bool visitAllPeople(PersonVisitor& visitor) const override;
    size_t personCount() const override;
    std::optional<Person> personWithRecordID(RecordID id) const override;
    std::vector<uint8_t> copyImageData(RecordID id) const override;

    bool save(Person& person) override;
    bool save(std::vector<Person>& persons) override;
    bool remove(RecordID id) override;
    std::optional<Person> edit(RecordID id, const std::function<void(Person&)>& apply) override;

    std::optional<std::vector<Person>> copyAllPersons() const override;
    bool change(const std::function<Changes(const std::vector<Person>&)>& plan) override;
    std::optional<StoreProblem> lastProblem() const override;

private:
    AddressBook& fresh() const;

    mutable std::unique_ptr<AddressBook> last_;
};

} // namespace ab
