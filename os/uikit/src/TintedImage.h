#pragma once
// Images drawn in one colour, as bars draw their items' icons. For the toolkit's own files only.
#include "uikit/UIColor.h"
#include "uikit/UIImage.h"

#include <memory>

namespace uikit {

// The image's shape (its alpha) filled with the colour, at the image's size.
std::shared_ptr<UIImage> tintedImage(const UIImage& image, const UIColor& color);

} // namespace uikit
