#include "uikit/UIImage.h"

#include "Painting.h"
#include "foundation/Bundle.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>

#include <map>

using namespace uikit;

namespace {

// A bundle's images are named by their format. Read by that name alone, Qt goes straight to its
// own decoder; otherwise it first loads every image plugin to ask whether it reads the format,
// which costs a start-up several libraries. A file that its name misdescribes is read by its
// contents after all.
QImage readBundleImage(const QString& path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1().toLower());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    return image.isNull() ? QImage(path) : image;
}

} // namespace

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
    auto image = makeImage(readBundleImage(QString::fromStdString(path->string())), std::string(name));
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
