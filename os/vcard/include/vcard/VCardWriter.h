#pragma once
// Writes a person as one vCard, 3.0 or 4.0, in a form that read_vcards gives back unchanged:
// labels that are plain words become TYPE parameters, other labels go beside their value as a
// grouped X-ABLabel, a birthday without a year is written without one, a photo inline in
// base64. Labelled dates are grouped X-ABDATE lines with their X-ABLabel, as address books
// that keep such dates write them; in 4.0 the anniversary is the card's own ANNIVERSARY.
#include "addressbook/AddressBook.h"

#include <string>

namespace contacts {

enum class VCardVersion { k3_0, k4_0 };

std::string write_vcard(const ab::Person& person, VCardVersion version = VCardVersion::k3_0);

} // namespace contacts
