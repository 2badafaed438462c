#pragma once
// What every program of the system answers from its command line before it does anything else:
// --help (its usage) and --version (its name and the system's version), on standard output.
#include <string_view>

namespace os {

// True when the one argument was --help or --version and it was answered: the program then ends
// with status 0, and opens no window and touches no device. `usage` is the whole help text.
bool answered_help_or_version(int argc, char** argv, std::string_view usage);

} // namespace os
