#include "uikit/Automation.h"
#include "uikit/UIImage.h"
#include "uikit/UIScreen.h"
#include "uikit/UISwitch.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewDump.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <vector>

namespace {

TEST(UISwitch, TakesTheStandardSizeWhateverItIsGiven)
{
    auto control = std::make_shared<UISwitch>(CGRectMake(12, 30, 200, 80));
    EXPECT_EQ(control->frame(), CGRectMake(12, 30, 94, 27));
    control->setFrame(CGRectMake(5, 6, 10, 10));
    EXPECT_EQ(control->frame(), CGRectMake(5, 6, 94, 27));
}

TEST(UISwitch, EachTapTogglesItAndSendsOneValueChangeButCodeSendsNone)
{
    auto control = std::make_shared<UISwitch>();
    std::vector<bool> seen;
    control->addTarget_action_forControlEvents(
        [&](UIControl* sender) { seen.push_back(static_cast<UISwitch*>(sender)->isOn()); },
        UIControlEventValueChanged);
    for (CGPoint at : {CGPoint{47, 13}, CGPoint{10, 20}, CGPoint{300, 200}}) {
        control->touchesBegan({47, 13});
        control->touchesEnded(at); // the last lifted far away
    }
    control->setOn(true);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));

    uikit::DumpRecord record;
    control->describe(record);
    EXPECT_TRUE(std::get<bool>(*record.find("on")));
}

// Its outline too: a switch half scrolled out of a table leaves what lies below the table alone.
TEST(UISwitch, DrawsNothingOutsideTheViewThatClipsIt)
{
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->setBackgroundColor(UIColor::blackColor());
    auto clip = std::make_shared<UIView>(CGRectMake(0, 100, 320, 100));
    clip->setClipsToBounds(true);
    clip->addSubview(std::make_shared<UISwitch>(CGRectMake(100, 90, 0, 0)));
    window->addSubview(clip);
    window->makeKeyAndVisible();

    const auto png = UIImagePNGRepresentation(uikit::screenshot());
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(png.data(), int(png.size()), "PNG"));
    for (int y = 200; y < 220; ++y)
        for (int x = 95; x < 200; ++x)
            ASSERT_EQ(picture.pixel(x, y), qRgb(0, 0, 0)) << x << ", " << y;
}

} // namespace
