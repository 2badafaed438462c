#pragma once
// Writing a file whole or not at all.
#include <filesystem>
#include <functional>
#include <ostream>
#include <system_error>

namespace os {

// Writes into a hidden file beside the target and renames it over the target once complete, so
// a reader never sees half a file, a failure leaves the old one, and a program syncing the
// folder (vdirsyncer, khal) passes the half-written one by. The error, or none.
std::error_code write_file_atomically(const std::filesystem::path& target,
                                      const std::function<void(std::ostream&)>& write);

} // namespace os
