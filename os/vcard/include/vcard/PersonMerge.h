#pragma once
// How the persons of vCard files come into the address book without doubling anyone.
//
// A card is the stored person with its UID. A card without a UID, or whose UID no stored person
// has, is the stored person of the same first name, last name and birthday: the three things
// every address book exports and that a person's record keeps for years, where phone numbers
// and photos change. Two stored persons of that key are two people only when they have UIDs
// of their own, so a card with a UID takes such a person only when it has none. Each stored
// person answers at most one card, the earliest (by identifier) first, so a file that holds the
// same person twice imports as two and then stays two.
#include "addressbook/AddressBook.h"

#include <cstddef>
#include <vector>

namespace contacts {

enum class MergeMode {
    kImport, // adds and updates
    // The cards are the whole sync folder: persons from the folder that are no card any more go,
    // and persons added on the device are matched by UID only, so the folder never takes them.
    kSync,
};

struct MergeCounts {
    size_t added = 0;
    size_t updated = 0;
    size_t removed = 0;
    size_t unchanged = 0;
};

// The changes that bring the cards into the stored persons (as copyAllPersons gives them). A
// matched person keeps its identifier, and its UID when the card has none.
ab::Changes plan_merge(const std::vector<ab::Person>& stored, const std::vector<ab::Person>& cards,
                       MergeMode mode, MergeCounts& counts);

} // namespace contacts
