#pragma once
// Whether photo bytes may go into the address book: exactly the photos the system can show.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace contacts {

inline constexpr size_t kMaxPhotoBytes = 5 * 1024 * 1024;

// Why the photo cannot be kept (over 5 MB; too many pixels, which its header tells before anything
// is decoded; not an image that decodes), or nullopt.
std::optional<std::string> photo_problem(const std::vector<uint8_t>& bytes);

} // namespace contacts
