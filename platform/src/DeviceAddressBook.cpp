#include "platform/AddressBookAccess.h"

namespace platform {

DeviceAddressBook::DeviceAddressBook(std::filesystem::path storeFile)
    : storeFile_(std::move(storeFile)) {}

std::unique_ptr<ab::AddressBook> DeviceAddressBook::openBook() const {
    return storeFile_ ? ab::AddressBook::open(*storeFile_) : ab::AddressBook::create();
}

std::vector<ab::PersonSummary> DeviceAddressBook::copyArrayOfAllPeople() const {
    return openBook()->copyArrayOfAllPeople();
}

bool DeviceAddressBook::visitAllPeople(ab::PersonVisitor& visitor) const {
    return openBook()->visitAllPeople(visitor);
}

std::optional<ab::Person> DeviceAddressBook::personWithRecordID(ab::RecordID id) const {
    return openBook()->personWithRecordID(id);
}

std::vector<uint8_t> DeviceAddressBook::copyImageData(ab::RecordID id) const {
    return openBook()->copyImageData(id);
}

} // namespace platform
