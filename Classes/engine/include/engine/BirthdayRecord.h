#pragma once
// One person with a birthday, as the lists show it. The fields carry the names by which the
// lists sort, group and read them. Records are immutable once made and shared between the whole
// list and the sections of the list on display.
#include "addressbook/AddressBook.h"
#include "platform/Clock.h"

#include <cstdint>
#include <memory>
#include <string>

namespace engine {

// The person's photo, decoded by the screen when first shown rather than at import, so a large
// address book imports fast. Without image data, or with data that does not decode, the screen
// shows the placeholder.
struct ImageRef {
    ab::RecordID recordID = ab::kInvalidRecordID;
    bool hasImage = false;
    friend bool operator==(const ImageRef&, const ImageRef&) = default;
};
inline constexpr const char* kPlaceholderImage = "contact.png";

struct BirthdayRecord {
    std::string Name;
    int32_t Day = 0; // of the birthday, 1..31
    int32_t Month = 0; // 1..12
    int32_t Year = 0; // of birth; 1900 when unknown
    // Position in the address book at import: the order among records with equal sort keys.
    // Beside the three numbers above, where it fills what would be padding: a large book holds
    // hundreds of thousands of records.
    uint32_t addressBookIndex = 0;
    ImageRef Image;
    // Local midnight of this year's birthday (of 1 March for 29 February in a common year), or
    // the first moment of that day where its midnight does not exist.
    platform::Moment NiverEvent = 0;
    ab::RecordID RecordID = ab::kInvalidRecordID;
};

using RecordRef = std::shared_ptr<const BirthdayRecord>;

} // namespace engine
