#include "addressbook/DeviceAddressBook.h"

namespace ab {

AddressBook& DeviceAddressBook::fresh() const
{
    last_ = create();
    return *last_;
}

std::vector<PersonSummary> DeviceAddressBook::copyArrayOfAllPeople() const
{
    return fresh().copyArrayOfAllPeople();
}

bool DeviceAddressBook::visitAllPeople(PersonVisitor& visitor) const
{
    return fresh().visitAllPeople(visitor);
}

size_t DeviceAddressBook::personCount() const { return fresh().personCount(); }

std::optional<Person> DeviceAddressBook::personWithRecordID(RecordID id) const
{
    return fresh().personWithRecordID(id);
}

std::vector<uint8_t> DeviceAddressBook::copyImageData(RecordID id) const
{
    return fresh().copyImageData(id);
}

bool DeviceAddressBook::save(Person& person) { return fresh().save(person); }

bool DeviceAddressBook::save(std::vector<Person>& persons) { return fresh().save(persons); }

bool DeviceAddressBook::remove(RecordID id) { return fresh().remove(id); }

std::optional<Person> DeviceAddressBook::edit(RecordID id,
                                              const std::function<void(Person&)>& apply)
{
    return fresh().edit(id, apply);
}

std::optional<std::vector<Person>> DeviceAddressBook::copyAllPersons() const
{
    return fresh().copyAllPersons();
}

bool DeviceAddressBook::change(const std::function<Changes(const std::vector<Person>&)>& plan)
{
    return fresh().change(plan);
}

std::optional<StoreProblem> DeviceAddressBook::lastProblem() const
{
    return last_ ? last_->lastProblem() : std::nullopt;
}

} // namespace ab
