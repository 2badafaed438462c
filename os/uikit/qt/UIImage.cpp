#include "uikit/UIImage.h"

#include "JpegScans.h"
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
    static std::map<std::pair<std::string, std::string>, std::shared_ptr<UIImage>, std::less<>>
        cache;
    const NSBundle& bundle = NSBundle::mainBundle();
    auto key = std::make_pair(bundle.bundlePath().string(), std::string(name));
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    auto path = bundle.pathForResource(name);
    if (!path)
        return nullptr;
    auto image =
        makeImage(readBundleImage(QString::fromStdString(path->string())), std::string(name));
    if (image)
        cache.emplace(std::move(key), image);
    return image;
}

namespace {

// Reads image data in place: its header first, its pixels only when asked.
class DataReader {
public:
    DataReader(const void* bytes, size_t length)
        : data_(QByteArray::fromRawData(static_cast<const char*>(bytes), qsizetype(length)))
    {
        buffer_.setData(data_);
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
    }

    // From the header; invalid when it is no image.
    QSize size() { return reader_.size(); }

    // The picture, scaled to shownSize when it is larger in either direction; null when it does
    // not decode or is over the pixel or scan limit.
    std::shared_ptr<UIImage> decode(std::optional<CGSize> shownSize)
    {
        const QSize own = size();
        if (!own.isValid() || qint64(own.width()) * own.height() > qint64(UIImage::kMaxPixels) ||
            jpegScanCount(reinterpret_cast<const unsigned char*>(data_.constData()),
                          size_t(data_.size()), UIImage::kMaxJpegScans) > UIImage::kMaxJpegScans)
            return nullptr;
        const CGSize ownPoints{CGFloat(own.width()), CGFloat(own.height())};
        if (!shownSize || shownSize->width < 1 || shownSize->height < 1 ||
            (ownPoints.width <= shownSize->width && ownPoints.height <= shownSize->height))
            return makeImage(reader_.read(), {}, ownPoints);
        const QSize shown(int(shownSize->width), int(shownSize->height));
        // Qt's smooth scaling of a one-bit image loses its two colours (it comes out black and
        // white), so such an image is decoded whole and given its colours before it is scaled:
        // no more memory for a moment than any image within the pixel limit takes.
        const QImage::Format format = reader_.imageFormat();
        if (format == QImage::Format_Mono || format == QImage::Format_MonoLSB)
            return makeImage(reader_.read()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                 .scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                             {}, ownPoints);
        reader_.setScaledSize(shown);
        return makeImage(reader_.read(), {}, ownPoints);
    }

private:
    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
};

} // namespace

void UIImage::silenceDecoderMessages()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

std::optional<CGSize> UIImage::sizeOfImageData(const std::vector<unsigned char>& data)
{
    const QSize size = DataReader(data.data(), data.size()).size();
    if (!size.isValid())
        return std::nullopt;
    return CGSize{CGFloat(size.width()), CGFloat(size.height())};
}

size_t UIImage::scanCountOfImageData(const std::vector<unsigned char>& data)
{
    return jpegScanCount(data.data(), data.size(), kMaxJpegScans);
}

std::shared_ptr<UIImage> UIImage::imageWithData(const void* bytes, size_t length)
{
    if (!bytes || length == 0)
        return nullptr;
    return DataReader(bytes, length).decode(std::nullopt);
}

std::shared_ptr<UIImage> UIImage::imageWithData(const std::vector<unsigned char>& data)
{
    return imageWithData(data.data(), data.size());
}

std::shared_ptr<UIImage> UIImage::imageWithData(const std::vector<unsigned char>& data,
                                                CGSize shownSize)
{
    if (data.empty())
        return nullptr;
    return DataReader(data.data(), data.size()).decode(shownSize);
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(const std::string& path)
{
    return makeImage(QImage(QString::fromStdString(path)));
}

CGSize UIImage::size() const { return bitmap_->size; }

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

void UIImage::drawAtPoint(CGPoint point) const { drawInRect({point, size()}); }

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
