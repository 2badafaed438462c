#pragma once
// A whole file as bytes, for the files a user names (vCard files, photos, calendar events).
#include <optional>
#include <string>

namespace contacts {

// The whole file, or nullopt with the reason in `error` ("is a folder", the system's words).
std::optional<std::string> read_file(const std::string& path, std::string& error);

} // namespace contacts
