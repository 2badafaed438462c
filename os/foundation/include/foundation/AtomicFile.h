#pragma once
// Writing a file whole or not at all.
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

namespace os {

// Writes into a hidden file beside the target, ".NAME.partial-PID", and renames it over the
// target once complete and on disk, so a reader never sees half a file, a failure leaves the old
// one, and a program syncing the folder (vdirsyncer, khal) passes the half-written one by. The
// hidden file is made new (never a file or link that was there already: a link planted under
// its name is not followed). The error, or none.
std::error_code write_file_atomically(const std::filesystem::path& target,
                                      const std::function<void(std::ostream&)>& write);

// For a hidden file that write_file_atomically left behind when its program was killed (its PID
// runs no more), the name of the file it was writing; nullopt for any other name.
std::optional<std::string> abandoned_partial_of(const std::string& file_name);

// Removes the hidden files of the folder left behind while writing files that `ours` accepts
// the names of; the files of other programs, and of writes still running, stay.
void remove_abandoned_partials(const std::filesystem::path& folder,
                               const std::function<bool(const std::string&)>& ours);

} // namespace os
