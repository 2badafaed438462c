#pragma once
// The one way a person's name is put together wherever it is shown or written out, so that the
// lists, the person screen, the tool and the cards it writes all call a person the same.
#include "addressbook/AddressBook.h"

#include <string>
#include <string_view>

namespace ab {

// "First Last", the one of them there is, or "" for a person with neither: what to say then
// ("No Name", or nothing) is the caller's. An empty part counts as missing.
std::string full_name(std::string_view first, std::string_view last);
std::string full_name(const Person& person);

} // namespace ab
