#include "PhotoCheck.h"

#include <uikit/UIImage.h>

#include <cstdio>

namespace contacts {

std::optional<std::string> photo_problem(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() > kMaxPhotoBytes)
        return "photo over 5 MB";
    const std::optional<CGSize> size = UIImage::sizeOfImageData(bytes);
    if (!size)
        return "not an image that decodes";
    if (size_t(size->width) * size_t(size->height) > UIImage::kMaxPixels) {
        char text[120];
        std::snprintf(text, sizeof text, "photo too large: %.0f x %.0f pixels, over %.1f million",
                      size->width, size->height, double(UIImage::kMaxPixels) / 1e6);
        return std::string(text);
    }
    // Decoded to one pixel: this only asks whether all of the data decodes.
    if (!UIImage::imageWithData(bytes, CGSize{1, 1}))
        return "not an image that decodes";
    return std::nullopt;
}

} // namespace contacts
