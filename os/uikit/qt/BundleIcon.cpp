#include "BundleIcon.h"

#include "Painting.h"
#include "foundation/Bundle.h"
#include "uikit/UIImage.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace uikit {
namespace {

// Answers as an icon of the image itself would, reading the image at the first question.
class BundleIconEngine final : public QIconEngine {
public:
    explicit BundleIconEngine(std::string name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QIconEngine* clone() const override { return new BundleIconEngine(*this); }

private:
    QIcon& icon()
    {
        if (!read_) {
            read_ = true;
            if (const auto image = UIImage::imageNamed(name_))
                icon_ = QIcon(QPixmap::fromImage(image->bitmap().image));
        }
        return icon_;
    }

    std::string name_;
    bool read_ = false;
    QIcon icon_;
};

} // namespace

std::optional<QIcon> bundleIcon(const std::string& name)
{
    if (!NSBundle::mainBundle().pathForResource(name))
        return std::nullopt;
    return QIcon(new BundleIconEngine(name));
}

} // namespace uikit
