#pragma once
// Immutable bitmap images. Shared: an image may be shown by many views at once.
#include "uikit/CGGeometry.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class UIImage {
public:
    // The image file of that name among the main bundle's resources, loaded once and kept for the
    // life of the process; nullptr when there is no such file or it does not decode.
    static std::shared_ptr<UIImage> imageNamed(std::string_view name);
    // An image decoded from PNG, JPEG, GIF or BMP bytes; nullptr when they do not decode.
    static std::shared_ptr<UIImage> imageWithData(const void* bytes, size_t length);
    static std::shared_ptr<UIImage> imageWithData(const std::vector<unsigned char>& data);
    static std::shared_ptr<UIImage> imageWithContentsOfFile(const std::string& path);

    ~UIImage();
    UIImage(const UIImage&) = delete;
    UIImage& operator=(const UIImage&) = delete;

    CGSize size() const;
    // The resource name the image was loaded as ("aries.png"). An image made in an image context
    // carries the name of the last named image drawn into it, so a scaled copy still says what it
    // shows; empty otherwise.
    const std::string& name() const;

    // Draw into the current graphics context (UIGraphics.h), scaled to the rectangle.
    void drawInRect(CGRect rect) const;
    void drawAtPoint(CGPoint point) const;

    struct Bitmap;
    // For the toolkit's own drawing.
    const Bitmap& bitmap() const { return *bitmap_; }
    UIImage(std::unique_ptr<Bitmap> bitmap, std::string name);

private:
    std::unique_ptr<Bitmap> bitmap_;
    std::string name_;
};

// The PNG encoding of the image; empty for nullptr.
std::vector<unsigned char> UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image);
