#pragma once
// Writes a person as one vCard 3.0, in a form that read_vcards gives back unchanged: labels
// that are plain words become TYPE parameters, other labels go beside their value as a grouped
// X-ABLabel, a birthday without a year is written --MM-DD, a photo inline in base64.
#include "addressbook/AddressBook.h"

#include <string>

namespace contacts {

std::string write_vcard(const ab::Person& person);

} // namespace contacts
