#include "vcard/PhotoCheck.h"

#include "uikit/UIImage.h"
#include "vcard/ReadFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace contacts {
namespace {

constexpr const char* kTooLarge = "photo over 5 MB";

// The image of the bytes at the size they are kept at, and their own size; nullptr with the
// problem when they cannot be kept.
std::shared_ptr<UIImage> decode_for_store(const std::vector<uint8_t>& bytes, CGSize& own,
                                          std::string& problem)
{
    const std::optional<CGSize> size = UIImage::sizeOfImageData(bytes);
    if (!size) {
        problem = "not an image that decodes";
        return nullptr;
    }
    own = *size;
    if (size_t(own.width) * size_t(own.height) > UIImage::kMaxPixels) {
        char text[120];
        std::snprintf(text, sizeof text, "photo too large: %.0f x %.0f pixels, over %.1f million",
                      own.width, own.height, double(UIImage::kMaxPixels) / 1e6);
        problem = text;
        return nullptr;
    }
    if (UIImage::scanCountOfImageData(bytes) > UIImage::kMaxJpegScans) {
        problem = "photo of over " + std::to_string(UIImage::kMaxJpegScans) +
                  " scans, each decoded over the whole picture";
        return nullptr;
    }
    const CGFloat scale =
        std::min<CGFloat>(1, CGFloat(kStoredPhotoSide) / std::max<CGFloat>(own.width, own.height));
    const CGSize kept{std::max<CGFloat>(1, std::round(own.width * scale)),
                      std::max<CGFloat>(1, std::round(own.height * scale))};
    auto image = UIImage::imageWithData(bytes, kept);
    if (!image)
        problem = "not an image that decodes";
    return image;
}

} // namespace

std::optional<std::string> make_storable_photo(std::vector<uint8_t>& bytes,
                                               const PhotosBySource* stored)
{
    if (bytes.size() > kMaxPhotoBytes)
        return kTooLarge;
    const std::string digest = photo_source_digest(bytes);
    if (stored) {
        if (const auto found = stored->find(digest); found != stored->end()) {
            bytes = *found->second;
            return std::nullopt;
        }
    }
    CGSize own;
    std::string problem;
    const auto image = decode_for_store(bytes, own, problem);
    if (!image)
        return problem;
    if (own.width > kStoredPhotoSide || own.height > kStoredPhotoSide) {
        bytes = UIImagePNGRepresentation(image);
        add_photo_source(bytes, digest);
    } else if (photo_source_of(bytes)) {
        // Only a photo made here may say whose bytes it stands for: a sender's own claim would
        // give its picture to any card that sends those bytes.
        bytes = UIImagePNGRepresentation(image);
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> read_storable_photo(const std::filesystem::path& file,
                                                        std::string& problem)
{
    ReadFailure failure;
    const auto text = read_file(file.string(), kMaxPhotoBytes, failure);
    if (!text) {
        // Too large is said as the photo check says it of the bytes of a card.
        problem = failure.kind == ReadFailure::kTooLarge
                      ? kTooLarge
                      : "cannot read: " + read_failure_text(failure);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(text->begin(), text->end());
    if (auto why = make_storable_photo(bytes)) {
        problem = std::move(*why);
        return std::nullopt;
    }
    return bytes;
}

} // namespace contacts
