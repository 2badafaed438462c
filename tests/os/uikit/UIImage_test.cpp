#include <TempDevice.h>
#include <foundation/Bundle.h>
#include <uikit/UIGraphics.h>
#include <uikit/UIImage.h>
#include <uikit/UIImageView.h>

#include <QImage>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// A PNG of one colour, made with the toolkit itself.
std::vector<unsigned char> solidPng(CGSize size, const UIColor& color)
{
    UIGraphicsBeginImageContext(size);
    UIGraphicsSetFillColor(color);
    UIRectFill({{0, 0}, size});
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return UIImagePNGRepresentation(image);
}

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
    const std::vector<unsigned char> junk{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    EXPECT_EQ(UIImage::imageWithData(junk), nullptr);
    EXPECT_EQ(UIImage::imageWithData(std::vector<unsigned char>{}), nullptr);
    write("broken.png", junk);
    EXPECT_EQ(UIImage::imageNamed("broken.png"), nullptr);

    auto decoded = UIImage::imageWithData(solidPng({7, 9}, UIColor::blueColor()));
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->size(), CGSizeMake(7, 9));
    EXPECT_EQ(decoded->name(), "");
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
