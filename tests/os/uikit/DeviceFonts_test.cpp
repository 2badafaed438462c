#include "uikit/UIStringDrawing.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// What fontconfig hands Qt for a font the toolkit asks for.
Pattern match(const char* name)
{
    Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>(name)));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return Pattern(FcFontMatch(nullptr, pattern.get(), &result));
}

std::string fileOf(const Pattern& font)
{
    FcChar8* file = nullptr;
    if (!font || FcPatternGetString(font.get(), FC_FILE, 0, &file) != FcResultMatch)
        return {};
    return reinterpret_cast<const char*>(file);
}

class DeviceFonts : public ::testing::Test {
protected:
    // Measuring text starts the toolkit, which sets up its fonts before Qt's first look.
    void SetUp() override
    {
        ASSERT_GT(sizeWithFont("Birthdays", UIFont::systemFontOfSize(12)).width, 0);
    }
};

TEST_F(DeviceFonts, TheDesktopConfigurationIsNotLoaded)
{
    FcStrList* files = FcConfigGetConfigFiles(nullptr);
    ASSERT_NE(files, nullptr);
    while (const FcChar8* file = FcStrListNext(files))
        EXPECT_NE(std::string(reinterpret_cast<const char*>(file)).rfind("/etc/fonts/", 0), 0u)
            << file;
    FcStrListDone(files);
}

TEST_F(DeviceFonts, TheToolkitFamiliesAreFoundAndDrawnSmooth)
{
    const Pattern sansBold = match("Liberation Sans:bold");
    EXPECT_NE(fileOf(sansBold).find("LiberationSans-Bold."), std::string::npos) << fileOf(sansBold);
    EXPECT_NE(fileOf(match("Liberation Serif:bold")).find("LiberationSerif-Bold."),
              std::string::npos);
    EXPECT_NE(fileOf(match("DejaVu Sans")).find("DejaVuSans."), std::string::npos);

    FcBool antialias = FcFalse;
    int hintStyle = -1;
    ASSERT_EQ(FcPatternGetBool(sansBold.get(), FC_ANTIALIAS, 0, &antialias), FcResultMatch);
    ASSERT_EQ(FcPatternGetInteger(sansBold.get(), FC_HINT_STYLE, 0, &hintStyle), FcResultMatch);
    EXPECT_TRUE(antialias);
    EXPECT_EQ(hintStyle, FC_HINT_SLIGHT);
}

TEST_F(DeviceFonts, AFamilyNotInstalledStillGetsAFont)
{
    EXPECT_FALSE(fileOf(match("No Such Family")).empty());
}

} // namespace
