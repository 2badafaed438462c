#pragma once
// Photo bytes as the address book keeps them: exactly the photos the system can show, decoded
// once on their way in and kept at the size they are shown.
#include "vcard/PhotoSource.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace contacts {

inline constexpr size_t kMaxPhotoBytes = 5 * 1024 * 1024;
// The largest a photo is shown at, in pixels a side: the person screen's 64 x 64 points.
inline constexpr int kStoredPhotoSide = 64;

// Makes photo bytes what the address book keeps: a picture larger than kStoredPhotoSide in either
// direction is decoded once, within the limits, and encoded again as a PNG that fits that size in
// its own proportions, so that no list, screen or sync ever decodes the sender's bytes; a smaller
// one keeps its bytes. A re-encoded photo carries the digest of the sender's bytes, and bytes whose
// digest is among `stored` become that stored photo without being decoded again. Why the photo
// cannot be kept (over 5 MB; too many pixels or, for a JPEG, scans, which its markers tell before
// anything is decoded; not an image that decodes), the bytes left as they were, or nullopt.
std::optional<std::string> make_storable_photo(std::vector<uint8_t>& bytes,
                                               const PhotosBySource* stored = nullptr);

// The photo of a picture file, made storable; nullopt with why not ("cannot read: ..." and the
// system's words, or make_storable_photo's). Reads no more of the file than a photo may have, so
// every way into the address book keeps to the same limits.
std::optional<std::vector<uint8_t>> read_storable_photo(const std::filesystem::path& file,
                                                        std::string& problem);

} // namespace contacts
