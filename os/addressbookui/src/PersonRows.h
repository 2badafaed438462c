#pragma once
// The person screen's rows as plain values: what each row is and the texts it shows, in the
// table's sections.
#include "addressbook/AddressBook.h"
#include "addressbookui/ABPersonProperties.h"

#include <string>
#include <vector>

namespace addressbookui {

struct PersonRow {
    // A Date is one of the person's labelled dates (an anniversary...), shown under the birthday
    // and never edited here.
    enum class Kind { Header, Value, AddBirthday, BirthdayEditor, AddValue, DeleteContact, Date };
    Kind kind;
    ABPropertyID property = 0;
    ABMultiValueIdentifier identifier = kABMultiValueInvalidIdentifier;
    std::string label = {};
    std::string value = {};
};

using PersonSections = std::vector<std::vector<PersonRow>>;

// The header, then one group per displayed property that has values, in the order displayed
// (while editing, the birthday group shows even without one, to add it); the labelled dates go
// under the birthday when both are displayed. In editing, the rows that add a number or an
// address follow in a group of their own, and "Delete Contact" closes the screen of a stored
// person.
PersonSections personSections(const ab::Person& person, const std::vector<ABPropertyID>& displayed,
                              bool editing, bool newPerson);

} // namespace addressbookui
