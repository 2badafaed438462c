#include "BundleIcon.h"
#include "foundation/Bundle.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"
#include "uikit/UIImageView.h"

#include <PhotoBomb.h>
#include <PngHeader.h>
#include <ProgressiveJpeg.h>
#include <SolidPng.h>
#include <TempDevice.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cmath>
#include <fstream>

namespace {

QImage pixels(const std::shared_ptr<UIImage>& image)
{
    const auto png = UIImagePNGRepresentation(image);
    return QImage::fromData(png.data(), int(png.size()), "PNG");
}

class UIImageTest : public testing::Test {
protected:
    void SetUp() override
    {
        bundle_ = device_.path("/Applications/Test.app");
        std::filesystem::create_directories(bundle_);
        NSBundle::setMainBundlePath(bundle_);
        write("big.png", solidPng({40, 42}, UIColor::redColor()));
    }

    void write(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        std::ofstream out(bundle_ / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    TempDevice device_;
    std::filesystem::path bundle_;
};

TEST_F(UIImageTest, ImageNamedLoadsAResourceOnceAndRemembersItsName)
{
    auto image = UIImage::imageNamed("big.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), CGSizeMake(40, 42));
    EXPECT_EQ(image->name(), "big.png");
    EXPECT_EQ(UIImage::imageNamed("big.png"), image);
    EXPECT_EQ(UIImage::imageNamed("missing.png"), nullptr);
}

TEST_F(UIImageTest, BytesThatDoNotDecodeGiveNoImage)
{
    const std::vector<unsigned char> junk{'n', 'o', 't', ' ', 'a', 'n',
                                          ' ', 'i', 'm', 'a', 'g', 'e'};
    EXPECT_EQ(UIImage::imageWithData(junk), nullptr);
    EXPECT_EQ(UIImage::imageWithData(std::vector<unsigned char>{}), nullptr);
    write("broken.png", junk);
    EXPECT_EQ(UIImage::imageNamed("broken.png"), nullptr);

    auto decoded = UIImage::imageWithData(solidPng({7, 9}, UIColor::blueColor()));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->size(), CGSizeMake(7, 9));
    EXPECT_EQ(decoded->name(), "");
}

// The windows' icon is the bundle's image, read when a platform first asks for it.
TEST_F(UIImageTest, TheBundlesIconIsItsImageReadWhenFirstAskedFor)
{
    EXPECT_FALSE(uikit::bundleIcon("missing.png"));
    write("icon.png", solidPng({40, 42}, UIColor::blueColor()));
    const auto icon = uikit::bundleIcon("icon.png");
    ASSERT_TRUE(icon);
    write("icon.png", solidPng({40, 42}, UIColor::redColor()));
    EXPECT_EQ(icon->availableSizes(), QList<QSize>{QSize(40, 42)});
    EXPECT_EQ(icon->pixmap(QSize(40, 42)).toImage().pixelColor(20, 21), QColor(Qt::red));
}

// --- Image data from outside: photos ---

TEST_F(UIImageTest, DataWithMorePixelsThanTheLimitIsRefusedBeforeItDecodes)
{
    const auto bomb = compressedPng(5792, 5792); // about 30 KB that decode to 134 MB
    ASSERT_LT(bomb.size(), 100u * 1024);
    EXPECT_EQ(UIImage::sizeOfImageData(bomb), CGSizeMake(5792, 5792));
    EXPECT_EQ(UIImage::imageWithData(bomb), nullptr);
    EXPECT_EQ(UIImage::imageWithData(bomb, {50, 62}), nullptr);
    EXPECT_EQ(UIImage::imageWithData(compressedPng(4097, 4096)), nullptr);
    EXPECT_NE(UIImage::imageWithData(compressedPng(8192, 2048)), nullptr) << "pixels, not sides";
    const auto atTheLimit = UIImage::imageWithData(compressedPng(4096, 4096));
    ASSERT_NE(atTheLimit, nullptr);
    EXPECT_EQ(atTheLimit->size(), CGSizeMake(4096, 4096));

    // 100 MB of pixels behind a header alone: known too large without reading further.
    EXPECT_EQ(UIImage::sizeOfImageData(pngHeaderOnly(5000, 5000)), CGSizeMake(5000, 5000));
    EXPECT_EQ(UIImage::sizeOfImageData({'n', 'o'}), std::nullopt);
}

// A progressive JPEG is decoded over its whole picture once per scan: 1,000 scans of 4096 x 4096
// pixels fit in 66 KB and take seconds, 150,000 take minutes. Its markers tell the scans first.
TEST_F(UIImageTest, AJpegOfMoreScansThanTheLimitIsRefusedBeforeItDecodes)
{
    const struct {
        int side, scans;
        bool decodes;
    } cases[] = {{64, 10, true}, {64, 256, true}, {64, 257, false}, {4096, 1000, false}};
    for (const auto& c : cases) {
        const auto jpeg = manyScanJpeg(c.side, c.side, c.scans);
        EXPECT_EQ(UIImage::scanCountOfImageData(jpeg), std::min<size_t>(c.scans, 257)) << c.scans;
        EXPECT_EQ(UIImage::imageWithData(jpeg) != nullptr, c.decodes) << c.scans;
        EXPECT_EQ(UIImage::imageWithData(jpeg, {50, 62}) != nullptr, c.decodes) << c.scans;
    }
}

TEST_F(UIImageTest, DataShownSmallerIsDecodedAtTheShownSizeAndKeepsItsOwnSize)
{
    const auto large = UIImage::imageWithData(solidPng({600, 450}, UIColor::blueColor()), {50, 62});
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->size(), CGSizeMake(600, 450));
    const QImage held = pixels(large);
    EXPECT_EQ(held.size(), QSize(50, 62)) << "no more pixels than it is shown with";
    EXPECT_EQ(QColor(held.pixel(25, 31)), QColor(Qt::blue));

    const auto tall = UIImage::imageWithData(solidPng({40, 100}, UIColor::blueColor()), {50, 62});
    EXPECT_EQ(pixels(tall).size(), QSize(50, 62)) << "larger in one direction is larger";
    const auto small = UIImage::imageWithData(solidPng({30, 30}, UIColor::blueColor()), {50, 62});
    EXPECT_EQ(pixels(small).size(), QSize(30, 30)) << "a smaller one is not blown up";
    EXPECT_EQ(UIImage::imageWithData(std::vector<unsigned char>{'x'}, {50, 62}), nullptr);

    const auto twoColours = UIImage::imageWithData(compressedPng(300, 300, Qt::red), {50, 62});
    EXPECT_EQ(QColor(pixels(twoColours).pixel(25, 31)), QColor(Qt::red))
        << "a one-bit image's colours stay";
}

// A photo with detail, drawn into its 50 x 62 place from a full decode (as before) and from a
// decode at that size: the two look the same.
TEST_F(UIImageTest, APhotoDecodedAtTheShownSizeDrawsAsTheFullOneDoes)
{
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 255 / 639, y * 255 / 479, ((x / 80 + y / 80) % 2) * 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    const std::vector<unsigned char> bytes(png.begin(), png.end());

    const auto drawn = [](const std::shared_ptr<UIImage>& image) {
        UIGraphicsBeginImageContext({50, 62});
        image->drawInRect({{0, 0}, {50, 62}});
        auto result = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        return pixels(result);
    };
    const QImage full = drawn(UIImage::imageWithData(bytes));
    const QImage scaled = drawn(UIImage::imageWithData(bytes, {50, 62}));
    ASSERT_EQ(full.size(), scaled.size());
    double difference = 0;
    for (int y = 0; y < 62; ++y)
        for (int x = 0; x < 50; ++x) {
            const QColor a = full.pixelColor(x, y), b = scaled.pixelColor(x, y);
            difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                          std::abs(a.blue() - b.blue());
        }
    EXPECT_LT(difference / (50 * 62 * 3), 8.0) << "mean difference per channel, of 255";
}

TEST_F(UIImageTest, DrawingIntoAnImageContextScalesToTheRectangle)
{
    auto big = UIImage::imageNamed("big.png");
    UIGraphicsBeginImageContext({20, 21});
    big->drawInRect(CGRectMake(0, 0, 20, 21));
    auto small = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->size(), CGSizeMake(20, 21));
    EXPECT_EQ(small->name(), "big.png") << "a scaled copy says what it shows";
    const QImage result = pixels(small);
    EXPECT_EQ(QColor(result.pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(result.pixel(19, 20)), QColor(Qt::red));
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

TEST_F(UIImageTest, ImageContextsNestAndOutsideOneNothingIsDrawn)
{
    EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext(), nullptr);
    UIGraphicsEndImageContext();
    UIImage::imageNamed("big.png")->drawInRect(CGRectMake(0, 0, 5, 5));

    UIGraphicsBeginImageContext({4, 4});
    UIGraphicsBeginImageContext({2, 2});
    EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext()->size(), CGSizeMake(2, 2));
    UIGraphicsEndImageContext();
    auto outer = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(outer->size(), CGSizeMake(4, 4));
    EXPECT_EQ(pixels(outer).pixelColor(1, 1).alpha(), 0) << "a new context is transparent";
}

TEST_F(UIImageTest, AnImageViewTakesItsFirstImagesSizeAndKeepsIt)
{
    auto big = UIImage::imageNamed("big.png");
    UIImageView view(big);
    EXPECT_EQ(view.frame(), CGRectMake(0, 0, 40, 42));
    view.setImage(UIImage::imageWithData(solidPng({20, 21}, UIColor::greenColor())));
    EXPECT_EQ(view.frame(), CGRectMake(0, 0, 40, 42));
    view.setImage(nullptr);
    EXPECT_EQ(view.frame().size, CGSizeMake(40, 42));
}

} // namespace
