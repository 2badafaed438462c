#pragma once
// The copy of a person that the editing screen changes, as plain values: what is kept of it
// (blanks dropped), and which of its values differ from the person it was copied from, so that
// a save writes only those onto the person as stored then and keeps a change made elsewhere to
// a value not edited here.
#include "addressbook/AddressBook.h"
#include "addressbookui/ABPersonProperties.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace addressbookui {

class PersonDraft {
public:
    explicit PersonDraft(ab::Person original);

    // The values as edited, blanks and all.
    const ab::Person& person() const { return edited_; }

    void setFirstName(std::string name) { edited_.first_name = std::move(name); }
    void setLastName(std::string name) { edited_.last_name = std::move(name); }
    void setImageData(std::vector<uint8_t> data) { edited_.image_data = std::move(data); }
    // False, and nothing changed, for a date that does not exist; nullopt removes the birthday.
    bool setBirthday(std::optional<ab::CivilDate> birthday);

    // The numbers or the addresses; nullptr for another property.
    std::vector<ab::LabeledValue>* values(ABPropertyID property);
    // One number or address; nullptr when there is none with that identifier.
    ab::LabeledValue* entry(ABPropertyID property, ABMultiValueIdentifier identifier);
    // Appends an empty number or address under the label; its identifier, or
    // kABMultiValueInvalidIdentifier for a property that is no list.
    ABMultiValueIdentifier add(ABPropertyID property, std::string label);
    // The first of the usual labels that no value of the property has yet, else "other".
    std::string unusedLabel(ABPropertyID property, const std::vector<std::string>& usual);
    // The birthday, or one number or address; false when there is no such value.
    bool remove(ABPropertyID property, ABMultiValueIdentifier identifier);

    // The person as it is kept: names left blank are none, values left blank are dropped.
    ab::Person kept() const;
    // Nothing kept: no name, birthday, value or photo.
    bool isEmpty() const;
    // Whether a value the screen edits is kept otherwise than the original has it.
    bool hasChanges() const;
    // Writes onto `stored` each edited value that is kept otherwise than the original has it.
    void applyChanges(ab::Person& stored) const;

private:
    ab::Person original_;
    ab::Person edited_;
};

// Whether the person stored under the shown person's identifier is still that person. Another
// program may have put another store file in place meanwhile (a backup brought back), in which
// the same identifier names someone else. A person keeps its UID, and keeps its first name, last
// name or birthday while another program changes the rest.
bool isSamePerson(const ab::Person& shown, const ab::Person& stored);

} // namespace addressbookui
