#pragma once
// The commands of the contacts tool. Each takes the address book to read or write (the tool
// gives the device's) and the arguments that follow its name, and returns the exit status: 0
// done, 1 failed with nothing written, 2 bad usage. Messages go to standard error, results to
// standard output.
#include "addressbook/AddressBook.h"

#include <optional>
#include <string>
#include <vector>

namespace contacts {

using Arguments = std::vector<std::string>;

int import_command(ab::AddressBook& book, const Arguments& args);
int sync_command(ab::AddressBook& book, const Arguments& args);
int export_command(ab::AddressBook& book, const Arguments& args);
int list_command(ab::AddressBook& book, const Arguments& args);
int add_command(ab::AddressBook& book, const Arguments& args);
int edit_command(ab::AddressBook& book, const Arguments& args);
int remove_command(ab::AddressBook& book, const Arguments& args);
int calendar_command(ab::AddressBook& book, const Arguments& args);

// Prints "contacts: message" and a pointer to --help; returns the bad-usage status.
int usage_error(const std::string& message);
// Prints that the address book cannot be read or written (verb) and why; returns 1.
int store_error(const ab::AddressBook& book, const char* verb);
// The person's name as the tool shows it: first and last name, or "(no name)".
std::string display_name(const ab::Person& person);

} // namespace contacts
