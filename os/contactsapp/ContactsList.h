#pragma once
// What the Contacts list shows, worked out from the book's persons as plain values: every
// person by name, sorted by last name then first name in the user's language, in sections by
// the initial of the name sorted by, and the persons a search keeps.
#include "addressbook/AddressBook.h"
#include "foundation/DeviceText.h"

#include <cstddef>
#include <cstdint>
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

// The persons of one read of the book as the list orders and searches them. Each name's
// collation key, section and searchable text are worked out once, when the index is made, and
// the persons sorted then; a search only keeps or skips persons in that order, so a keystroke
// costs no collation and no normalisation of the book's names. A book repeats its first and last
// names, so a person holds only which of them are theirs.
//
// A person sorts by last name, then first name; one with only a first name sorts by it. Letters
// compare as the user's language orders them (LC_ALL, LC_COLLATE, LANG, read when the index is
// made; Unicode's order for C and POSIX); persons of equal names stay in the book's order.
class ContactIndex {
public:
    ContactIndex() = default;
    explicit ContactIndex(const std::vector<ab::PersonSummary>& persons);
    // The book's persons, read by a visit without a copy of them; empty when the read fails, as
    // copyArrayOfAllPeople reads such a book.
    static ContactIndex of_book(const ab::AddressBook& book);

    bool empty() const { return persons_.empty(); }
    size_t size() const { return persons_.size(); }

    // The persons the search keeps, in sections. The search (trimmed) keeps a person when it is
    // part of the first name, the last name or both together, ignoring case and accents; an
    // empty one keeps everyone; "No Name" is no name to find. Sections come in the order of
    // their first person, "#" (names that begin with no letter, and persons without a name)
    // last.
    std::vector<ContactSection> sections(std::string_view search = {}) const;

    // The bytes the index holds.
    size_t memory_bytes() const;

private:
    class Builder;
    // A first or last name, trimmed, and its searchable form.
    struct Name {
        std::string shown;
        std::string folded;
    };
    static constexpr uint32_t kNone = UINT32_MAX;
    struct Person {
        ab::RecordID id;
        uint32_t title; // in titles_
        uint32_t first; // in names_, or kNone
        uint32_t last;
    };

    bool holds(const Person& person, std::string_view needle,
               const std::vector<bool>& nameHolds) const;
    std::string shownName(const Person& person, const std::string& noName) const;

    std::vector<Person> persons_; // sorted
    std::vector<std::string> titles_;
    std::vector<Name> names_;
};

// ContactIndex(persons).sections(search).
std::vector<ContactSection> contact_sections(const std::vector<ab::PersonSummary>& persons,
                                             std::string_view search = {});

} // namespace contactsapp
