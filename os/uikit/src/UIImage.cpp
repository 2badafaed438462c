#include "uikit/UIImage.h"

#include "Painting.h"
#include "foundation/Bundle.h"

#include <QBuffer>
#include <QByteArray>

#include <map>

using namespace uikit;

UIImage::UIImage(std::unique_ptr<Bitmap> bitmap, std::string name)
    : bitmap_(std::move(bitmap)), name_(std::move(name))
{
}

UIImage::~UIImage() = default;

std::shared_ptr<UIImage> UIImage::imageNamed(std::string_view name)
{
    // By bundle and name: a test may point the main bundle elsewhere.
    static std::map<std::pair<std::string, std::string>, std::shared_ptr<UIImage>, std::less<>> cache;
    const NSBundle& bundle = NSBundle::mainBundle();
    auto key = std::make_pair(bundle.bundlePath().string(), std::string(name));
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    auto path = bundle.pathForResource(name);
    if (!path)
        return nullptr;
    auto image = makeImage(QImage(QString::fromStdString(path->string())), std::string(name));
    if (image)
        cache.emplace(std::move(key), image);
    return image;
}

std::shared_ptr<UIImage> UIImage::imageWithData(const void* bytes, size_t length)
{
    if (!bytes || length == 0)
        return nullptr;
    QImage image;
    if (!image.loadFromData(static_cast<const uchar*>(bytes), qsizetype(length)))
        return nullptr;
    return makeImage(std::move(image));
}

std::shared_ptr<UIImage> UIImage::imageWithData(const std::vector<unsigned char>& data)
{
    return imageWithData(data.data(), data.size());
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(const std::string& path)
{
    return makeImage(QImage(QString::fromStdString(path)));
}

CGSize UIImage::size() const
{
    return {CGFloat(bitmap_->image.width()), CGFloat(bitmap_->image.height())};
}

const std::string& UIImage::name() const { return name_; }

void UIImage::drawInRect(CGRect rect) const
{
    CGContext* context = currentContext();
    if (!context || !context->painter)
        return;
    context->painter->drawImage(toQRect(rect), bitmap_->image);
    if (!name_.empty())
        context->lastImageName = name_;
}

void UIImage::drawAtPoint(CGPoint point) const
{
    drawInRect({point, size()});
}

std::vector<unsigned char> UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image)
{
    if (!image)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image->bitmap().image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}
