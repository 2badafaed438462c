#pragma once
// Base64 (the standard alphabet with padding) for inline vCard photos.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace contacts {

std::string base64_encode(const std::vector<uint8_t>& bytes);

// Blanks and line breaks are skipped and padding may be missing; any other character outside
// the alphabet, or a length that no encoder writes, gives nullopt.
std::optional<std::vector<uint8_t>> base64_decode(std::string_view text);

} // namespace contacts
