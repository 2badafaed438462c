#pragma once
// File attributes as the platform's file manager gives them.
#include <chrono>
#include <filesystem>
#include <optional>

namespace os {

using Timestamp = std::chrono::time_point<std::chrono::system_clock, std::chrono::nanoseconds>;

// The modification date of the file, reading a symbolic link itself rather than its target when
// traverse_link is false; nullopt when the file does not exist or cannot be read.
std::optional<Timestamp> file_modification_date(const std::filesystem::path& path,
                                                bool traverse_link = false);

} // namespace os
