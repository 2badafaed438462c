#include <uikit/UISwitch.h>
#include <uikit/ViewDump.h>

#include <gtest/gtest.h>

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

} // namespace
