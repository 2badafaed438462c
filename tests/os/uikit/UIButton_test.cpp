#include "uikit/UIButton.h"
#include "uikit/ViewDump.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Events {
    std::vector<unsigned> seen;
    void watch(UIControl& control)
    {
        for (unsigned event : {UIControlEventTouchDown, UIControlEventTouchUpInside,
                               UIControlEventTouchUpOutside, UIControlEventTouchDragOutside})
            control.addTarget_action_forControlEvents(
                [this, event](UIControl*) { seen.push_back(event); }, event);
    }
};

TEST(UIButton, TheInformationButtonComesAtItsStandardSize)
{
    auto info = UIButton::buttonWithType(UIButtonTypeInfoLight);
    EXPECT_EQ(info->frame(), CGRectMake(0, 0, 18, 19));
    EXPECT_EQ(info->buttonType(), UIButtonTypeInfoLight);
    EXPECT_EQ(UIButton::buttonWithType(UIButtonTypeCustom)->frame(), CGRectZero);
}

TEST(UIButton, AStateWithoutItsOwnTitleShowsTheNormalOne)
{
    UIButton button(CGRectMake(0, 0, 100, 40));
    button.setTitle_forState("Send", UIControlStateNormal);
    button.setTitle_forState("Sending", UIControlStateHighlighted);
    EXPECT_EQ(button.currentTitle(), "Send");
    EXPECT_EQ(button.titleForState(UIControlStateSelected), "Send");
    button.setHighlighted(true);
    EXPECT_EQ(button.currentTitle(), "Sending");
    uikit::DumpRecord record;
    button.describe(record);
    EXPECT_EQ(record.text("text"), "Sending");
}

TEST(UIControl, ReleasingInsideSendsTouchUpInsideAndFarOutsideDoesNot)
{
    UIButton button(CGRectMake(0, 0, 100, 40));
    Events events;
    events.watch(button);

    button.touchesBegan({50, 20});
    EXPECT_TRUE(button.isHighlighted());
    button.touchesEnded({60, 25});
    EXPECT_FALSE(button.isHighlighted());
    EXPECT_EQ(events.seen,
              (std::vector<unsigned>{UIControlEventTouchDown, UIControlEventTouchUpInside}));

    events.seen.clear();
    button.touchesBegan({50, 20});
    button.touchesMoved({300, 200});
    EXPECT_FALSE(button.isHighlighted());
    button.touchesEnded({300, 200});
    EXPECT_EQ(events.seen,
              (std::vector<unsigned>{UIControlEventTouchDown, UIControlEventTouchDragOutside,
                                     UIControlEventTouchUpOutside}));
}

TEST(UIControl, ADisabledControlTakesNoTouches)
{
    auto button = std::make_shared<UIButton>(CGRectMake(0, 0, 100, 40));
    EXPECT_TRUE(button->handlesTouches());
    button->setEnabled(false);
    EXPECT_FALSE(button->handlesTouches());
    EXPECT_EQ(button->state(), unsigned(UIControlStateDisabled));
}

} // namespace
