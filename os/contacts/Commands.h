#pragma once
// The commands of the contacts tool, over the address book of the device. Each takes the
// arguments that follow its name and returns the exit status: 0 done, 1 failed with nothing
// written, 2 bad usage. Messages go to standard error, results to standard output.
#include <string>
#include <vector>

namespace contacts {

using Arguments = std::vector<std::string>;

int import_command(const Arguments& args);
int sync_command(const Arguments& args);
int export_command(const Arguments& args);
int list_command(const Arguments& args);
int add_command(const Arguments& args);
int edit_command(const Arguments& args);
int remove_command(const Arguments& args);

// Prints "contacts: message" and a pointer to --help; returns the bad-usage status.
int usage_error(const std::string& message);

} // namespace contacts
