#include <uikit/UISwitch.h>
#include <uikit/ViewDump.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

void tap(UIView& view, CGPoint at)
{
    view.touchesBegan(at);
    view.touchesEnded(at);
}

TEST(UISwitch, TakesTheStandardSizeWhateverItIsGiven)
{
    auto control = std::make_shared<UISwitch>(CGRectMake(12, 30, 200, 80));
    EXPECT_EQ(control->frame(), CGRectMake(12, 30, 94, 27));
    control->setFrame(CGRectMake(5, 6, 10, 10));
    EXPECT_EQ(control->frame(), CGRectMake(5, 6, 94, 27));
    EXPECT_EQ(control->sizeThatFits(CGSizeMake(0, 0)), CGSizeMake(94, 27));
}

TEST(UISwitch, EachTapTogglesAndSendsOneValueChange)
{
    auto control = std::make_shared<UISwitch>();
    std::vector<bool> seen;
    control->addTarget_action_forControlEvents(
        [&](UIControl* sender) { seen.push_back(static_cast<UISwitch*>(sender)->isOn()); },
        UIControlEventValueChanged);

    tap(*control, {47, 13});
    EXPECT_TRUE(control->isOn());
    tap(*control, {10, 20});
    EXPECT_FALSE(control->isOn());
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST(UISwitch, NeitherCodeNorATouchLiftedFarAwaySendsAChange)
{
    auto control = std::make_shared<UISwitch>();
    int changes = 0;
    control->addTarget_action_forControlEvents([&](UIControl*) { ++changes; },
                                               UIControlEventValueChanged);
    control->setOn_animated(true, false);
    control->setOn(true);
    EXPECT_TRUE(control->isOn());

    control->touchesBegan({47, 13});
    control->touchesMoved({300, 200});
    control->touchesEnded({300, 200});
    EXPECT_TRUE(control->isOn());
    EXPECT_EQ(changes, 0);
}

TEST(UISwitch, TheDumpSaysWhetherItIsOn)
{
    auto control = std::make_shared<UISwitch>();
    uikit::DumpRecord off;
    control->describe(off);
    EXPECT_EQ(off.text("class"), "UISwitch");
    ASSERT_NE(off.find("on"), nullptr);
    EXPECT_FALSE(std::get<bool>(*off.find("on")));

    control->setOn(true);
    uikit::DumpRecord on;
    control->describe(on);
    EXPECT_TRUE(std::get<bool>(*on.find("on")));
}

} // namespace
