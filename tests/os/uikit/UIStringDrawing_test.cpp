#include "uikit/UIColor.h"
#include "uikit/UILabel.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

const UIFont dateFont = UIFont::systemFontOfSize(12);

TEST(SizeWithFont, ShortTextKeepsItsOwnWidth)
{
    const CGSize free = sizeWithFont("10/03/1980", dateFont);
    const CGSize limited = sizeWithFont_forWidth_lineBreakMode("10/03/1980", dateFont, 240,
                                                               UILineBreakModeTailTruncation);
    EXPECT_GT(free.width, 30);
    EXPECT_LT(free.width, 240);
    EXPECT_EQ(limited, free);
    EXPECT_EQ(limited.height, dateFont.lineHeight());
}

TEST(SizeWithFont, LongTextTakesTheWholeWidthAndNoMore)
{
    const std::string longText(200, 'W');
    EXPECT_GT(sizeWithFont(longText, dateFont).width, 240);
    const CGSize cut =
        sizeWithFont_forWidth_lineBreakMode(longText, dateFont, 240, UILineBreakModeTailTruncation);
    EXPECT_EQ(cut.width, 240);
    EXPECT_EQ(cut.height, sizeWithFont("W", dateFont).height);
}

TEST(SizeWithFont, BiggerAndBolderFontsMeasureWider)
{
    const char* text = "Next Birthdays";
    EXPECT_LT(sizeWithFont(text, UIFont::systemFontOfSize(12)).width,
              sizeWithFont(text, UIFont::systemFontOfSize(16)).width);
    EXPECT_LT(sizeWithFont(text, UIFont::systemFontOfSize(16)).width,
              sizeWithFont(text, UIFont::boldSystemFontOfSize(16)).width);
    EXPECT_EQ(sizeWithFont("", dateFont).width, 0);
}

TEST(SizeWithFont, WrappedTextGrowsDownwardsWithinTheWidth)
{
    const std::string sentence = "The quick brown fox jumps over the lazy dog again and again.";
    const CGSize oneLine = sizeWithFont(sentence, dateFont);
    const CGSize wrapped = sizeWithFont_constrainedToSize_lineBreakMode(
        sentence, dateFont, {100, 1000}, UILineBreakModeWordWrap);
    EXPECT_LE(wrapped.width, 100);
    EXPECT_GE(wrapped.height, 3 * oneLine.height - 3);
}

// A name from a card may hold a right-to-left override or a line break.
TEST(TextAsDrawn, IsolatesEachTextDropsOverridesAndDrawsLineBreaksOnOneLineAsSpaces)
{
    const char* fsi = "\u2068";
    const char* pdi = "\u2069";
    const std::tuple<const char*, bool, std::string> cases[] = {
        {"Ana Lee", true, "Ana Lee"},
        {"Ana\nLee\r\nSilva\u2028Souza", true, "Ana Lee Silva Souza"},
        {"Ana\nLee", false, "Ana\nLee"}, // a wrapped text keeps its lines
        {"Ana \u202Eeel", true, "Ana eel"},
        {"\u202Eevil fdp.exe\u202C live", true, "evil fdp.exe live"},
        {"\u202Bab\u202Dc\u202Cd\u202C", true, "\u202Babcd\u202C"},
        {"\u202Bab\u202C\u202Ccd", true, "\u202Bab\u202Ccd"},
        {"x\u2069y\u2067z", true, "xy\u2067z\u2069"},
        {"\u2066\u202Ea\u2069b", true, "\u2066a\u2069b"},
    };
    for (const auto& [text, oneLine, inside] : cases)
        EXPECT_EQ(textAsDrawn(text, oneLine), fsi + inside + pdi) << text;
    EXPECT_EQ(sizeWithFont("Ana\nLee", dateFont), sizeWithFont("Ana Lee", dateFont));
}

TEST(UILabel, ShowsTheHighlightedColourOnlyWhileHighlighted)
{
    UILabel label;
    EXPECT_EQ(label.backgroundColor(), UIColor::whiteColor());
    EXPECT_TRUE(label.isOpaque());
    label.setTextColor(UIColor::darkGrayColor());
    EXPECT_EQ(label.currentTextColor(), UIColor::darkGrayColor());
    label.setHighlighted(true);
    EXPECT_EQ(label.currentTextColor(), UIColor::darkGrayColor()) << "no highlighted colour set";
    label.setHighlightedTextColor(UIColor::whiteColor());
    EXPECT_EQ(label.currentTextColor(), UIColor::whiteColor());
    label.setHighlighted(false);
    EXPECT_EQ(label.currentTextColor(), UIColor::darkGrayColor());
}

TEST(UIColor, NamedColoursAndHexText)
{
    EXPECT_EQ(UIColor::redColor().hexString(), "#ff0000");
    EXPECT_EQ(UIColor::purpleColor().hexString(), "#800080");
    EXPECT_EQ(UIColor::brownColor().hexString(), "#996633");
    EXPECT_EQ(UIColor::darkGrayColor().hexString(), "#555555");
    EXPECT_EQ(UIColor(2, -1, 0.5f, 1).hexString(), "#ff0080") << "components are clamped";

    const CGFloat components[4] = {0, 0, 0.35f, 1};
    CGColorSpaceRef space = CGColorSpaceCreateDeviceRGB();
    CGColorRef color = CGColorCreate(space, components);
    EXPECT_EQ(UIColor::colorWithCGColor(color), UIColor(0, 0, 0.35f, 1));
    CGColorRelease(color);
    CGColorSpaceRelease(space);
}

TEST(CGGeometry, IntersectionAndContainment)
{
    EXPECT_EQ(CGRectIntersection(CGRectMake(0, 0, 100, 100), CGRectMake(50, 60, 100, 100)),
              CGRectMake(50, 60, 50, 40));
    EXPECT_TRUE(
        CGRectIsEmpty(CGRectIntersection(CGRectMake(0, 0, 10, 10), CGRectMake(10, 0, 5, 5))));
    EXPECT_TRUE(CGRectContainsPoint(CGRectMake(0, 0, 10, 10), {0, 9.5f}));
    EXPECT_FALSE(CGRectContainsPoint(CGRectMake(0, 0, 10, 10), {10, 5}));
}

TEST(DumpRecord, WritesEscapedJsonInKeyOrder)
{
    uikit::DumpRecord record;
    record.set("class", "UILabel");
    record.set("frame", uikit::DumpRecord::Numbers{0, 20.5, 320, 460});
    record.set("text", "say \"hi\"\n\\ \x01");
    record.set("hidden", false);
    record.append("children").set("class", "UIView");
    record.set("class", "UIButton");
    EXPECT_EQ(record.toJson(), R"({"class": "UIButton", "frame": [0, 20.5, 320, 460], )"
                               R"("text": "say \"hi\"\n\\ \u0001", "hidden": false, )"
                               R"("children": [{"class": "UIView"}]})");
    EXPECT_EQ(record.text("class"), "UIButton");
    EXPECT_FALSE(record.text("hidden"));
    ASSERT_NE(record.list("children"), nullptr);
    EXPECT_EQ(record.list("children")->size(), 1u);
}

} // namespace
