#pragma once
// What the Contacts list shows, worked out from the book's persons as plain values: every
// person by name, sorted by last name then first name in the user's language, in sections by
// the initial of the name sorted by, and the persons a search keeps.
#include "addressbook/AddressBook.h"
#include "foundation/DeviceText.h"

#include <string>
#include <string_view>
#include <vector>

namespace contactsapp {

// Shown for a person with neither a first nor a last name, in the section "#"; in the user's
// language (os::deviceText).
inline constexpr std::string_view kNoName = os::deviceTextKey("No Name");

struct ContactRow {
    ab::RecordID id = ab::kInvalidRecordID;
    std::string name; // "First Last", the one there is, or kNoName translated
    friend bool operator==(const ContactRow&, const ContactRow&) = default;
};

struct ContactSection {
    // The initial, upper case, without an accent the language does not count as a letter of its
    // own ("E" for "Émile", "A" for "Åsa" but "Å" in Swedish); "#" for no letter.
    std::string title;
    std::vector<ContactRow> rows;
    friend bool operator==(const ContactSection&, const ContactSection&) = default;
};

// The name a row shows.
std::string display_name(const ab::PersonSummary& person);

// Whether the search keeps the person: the text (trimmed) is part of the first name, the last
// name or both together, ignoring case and accents. An empty search keeps everyone.
bool matches_search(const ab::PersonSummary& person, std::string_view search);

// The persons the search keeps, in sections. A person sorts by last name, then first name; one
// with only a first name sorts by it. Letters compare as the user's language orders them
// (LC_ALL, LC_COLLATE, LANG; Unicode's order for C and POSIX); persons of equal names stay in
// the book's order. Sections come in that order too, "#" (names that begin with no letter, and
// persons without a name) last.
std::vector<ContactSection> contact_sections(const std::vector<ab::PersonSummary>& persons,
                                             std::string_view search = {});

} // namespace contactsapp
