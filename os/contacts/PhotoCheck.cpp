#include "PhotoCheck.h"

#include <QImage>

namespace contacts {

std::optional<std::string> photo_problem(const std::vector<uint8_t>& bytes) {
    if (bytes.size() > kMaxPhotoBytes) return "photo over 5 MB";
    QImage image;
    if (!image.loadFromData(bytes.data(), int(bytes.size()))) return "not an image that decodes";
    return std::nullopt;
}

} // namespace contacts
