#pragma once
// Why the address book could not be read or written, in words for its user.
#include "addressbook/AddressBook.h"

#include <optional>
#include <string>

namespace contacts {

// "it is locked by another program", "the disk is full", ...; "it failed" when the book gave no
// reason.
std::string store_problem_text(const std::optional<ab::StoreProblem>& problem);

} // namespace contacts
