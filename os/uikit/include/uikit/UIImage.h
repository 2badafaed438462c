#pragma once
// Immutable bitmap images. Shared: an image may be shown by many views at once.
#include "uikit/CGGeometry.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UIImage {
public:
    // The image file of that name among the main bundle's resources, loaded once and kept for the
    // life of the process; nullptr when there is no such file or it does not decode.
    static std::shared_ptr<UIImage> imageNamed(std::string_view name);
    // The most pixels an image decoded from data may have. Decoding takes four bytes a pixel,
    // whatever the size of the file: a PNG of a few hundred kilobytes can stand for gigabytes.
    // 4096 x 4096 (64 MB while it decodes) holds a 12-megapixel phone camera photo (4032 x 3024)
    // and refuses anything that would take more.
    static constexpr size_t kMaxPixels = size_t(4096) * 4096;
    // The most scans a JPEG decoded from data may have. Its decoding goes over every pixel once
    // per scan: an encoder writes about ten, while 150,000 scans of a few bytes each cost minutes.
    // 256 scans of the largest picture allowed take a fraction of a second.
    static constexpr size_t kMaxJpegScans = 256;

    // The width and height that image data says it has, read from its header without decoding
    // it; nullopt when it is not image data (or its format does not tell).
    static std::optional<CGSize> sizeOfImageData(const std::vector<unsigned char>& data);
    // How many scans JPEG data has, read from its markers, counted up to kMaxJpegScans + 1; 0 for
    // data of any other format.
    static size_t scanCountOfImageData(const std::vector<unsigned char>& data);
    // From now on the image decoders of this process no longer report damaged data on standard
    // error themselves: for a tool that says in its own words what it left out.
    static void silenceDecoderMessages();

    // An image decoded from PNG, JPEG, GIF or BMP bytes; nullptr when they do not decode or have
    // more than kMaxPixels or kMaxJpegScans (refused before anything is decoded).
    static std::shared_ptr<UIImage> imageWithData(const void* bytes, size_t length);
    static std::shared_ptr<UIImage> imageWithData(const std::vector<unsigned char>& data);
    // The same, for an image that is only ever drawn at shownSize: one larger than that in either
    // direction is decoded straight to shownSize, so it holds no more pixels than it shows with.
    // Its size() stays that of the data's own picture.
    static std::shared_ptr<UIImage> imageWithData(const std::vector<unsigned char>& data,
                                                  CGSize shownSize);
    static std::shared_ptr<UIImage> imageWithContentsOfFile(const std::string& path);

    ~UIImage();
    UIImage(const UIImage&) = delete;
    UIImage& operator=(const UIImage&) = delete;

    // In points: the picture's own size, also when it was decoded with fewer pixels.
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
