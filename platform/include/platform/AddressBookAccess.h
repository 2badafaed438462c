#pragma once
// How the application and the home-screen agent read the address book: every person with what a
// birthday needs, one whole person, one photo. Each read opens a fresh handle on the book, the
// way ABAddressBookCreate is made per use, so a change saved in between is always seen.
//
// Persons come as the address book's own types. A birthday is a calendar date: the platform
// hands it out as local noon of that date, and the parts the current calendar splits from local
// noon are that same date in every time zone, so the date is taken as it is.
//
// Failure: a book that cannot be read reads as empty. Thread: one thread at a time.
#include <addressbook/AddressBook.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace platform {

class AddressBookAccess {
public:
    virtual ~AddressBookAccess() = default;

    // Every person once, in the book's stable order.
    virtual std::vector<ab::PersonSummary> copyArrayOfAllPeople() const = 0;
    // The same persons in the same order, one by one without a list of them all in between;
    // false when the book could not be read to the end, or not at all while another program
    // held it (ab::AddressBook::visitAllPeople). By default a walk over copyArrayOfAllPeople.
    virtual bool visitAllPeople(ab::PersonVisitor& visitor) const;
    // The whole person, or nullopt when no person has that identifier (any more).
    virtual std::optional<ab::Person> personWithRecordID(ab::RecordID id) const = 0;
    // The photo bytes of a person; empty when none.
    virtual std::vector<uint8_t> copyImageData(ab::RecordID id) const = 0;
};

// The device's address book, or the store file given.
class DeviceAddressBook final : public AddressBookAccess {
public:
    DeviceAddressBook() = default;
    explicit DeviceAddressBook(std::filesystem::path storeFile);

    std::vector<ab::PersonSummary> copyArrayOfAllPeople() const override;
    bool visitAllPeople(ab::PersonVisitor& visitor) const override;
    std::optional<ab::Person> personWithRecordID(ab::RecordID id) const override;
    std::vector<uint8_t> copyImageData(ab::RecordID id) const override;

private:
    std::unique_ptr<ab::AddressBook> openBook() const;

    std::optional<std::filesystem::path> storeFile_;
};

// An address book held in memory, for tests: persons in the order they were added, identifiers
// counted up from 1 and never reused.
class InMemoryAddressBook final : public AddressBookAccess {
public:
    // Stores the person under a new identifier, which it returns (and sets in person.id).
    ab::RecordID add(ab::Person& person);
    ab::RecordID add(ab::Person&& person);
    bool remove(ab::RecordID id);

    std::vector<ab::PersonSummary> copyArrayOfAllPeople() const override;
    std::optional<ab::Person> personWithRecordID(ab::RecordID id) const override;
    std::vector<uint8_t> copyImageData(ab::RecordID id) const override;

private:
    std::map<ab::RecordID, ab::Person> persons_; // identifiers ascend in adding order
    ab::RecordID lastID_ = 0;
};

} // namespace platform
