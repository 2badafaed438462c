#include "uikit/Automation.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIControl.h"
#include "uikit/UIScreen.h"
#include "uikit/UIWindow.h"

#include <TempDevice.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class Listener : public UIAlertViewDelegate {
public:
    void alertView_clickedButtonAtIndex(UIAlertView* alert, int index) override
    {
        events.push_back("clicked " + std::to_string(index) + " tag " +
                         std::to_string(alert->tag()));
    }
    void alertView_willDismissWithButtonIndex(UIAlertView*, int index) override
    {
        events.push_back("will dismiss " + std::to_string(index));
    }
    void alertView_didDismissWithButtonIndex(UIAlertView* alert, int index) override
    {
        events.push_back("did dismiss " + std::to_string(index) +
                         (alert->isVisible() ? " visible" : ""));
    }
    std::vector<std::string> events;
};

TEST(UIAlertView, CancelComesFirstThenTheOthersInOrder)
{
    UIAlertView alert("About Tortamos 2.0", "Text", nullptr, "Close", {"One", "Two"});
    EXPECT_EQ(alert.numberOfButtons(), 3);
    EXPECT_EQ(alert.cancelButtonIndex(), 0);
    EXPECT_EQ(alert.buttonTitleAtIndex(0), "Close");
    EXPECT_EQ(alert.buttonTitleAtIndex(2), "Two");
    EXPECT_EQ(alert.buttonTitleAtIndex(3), "");

    UIAlertView plain;
    EXPECT_EQ(plain.cancelButtonIndex(), -1);
    EXPECT_EQ(plain.addButtonWithTitle("Dismiss"), 0);
}

TEST(UIAlertView, ShowingIsJournaledAndATapDismissesAndTellsTheDelegate)
{
    TempDevice device;
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    int behind = 0;
    auto cover = std::make_shared<UIControl>(UIScreen::mainScreen().bounds());
    cover->addTarget_action_forControlEvents([&](UIControl*) { ++behind; },
                                             UIControlEventTouchUpInside);
    window->addSubview(cover);
    window->makeKeyAndVisible();

    Listener listener;
    std::weak_ptr<UIAlertView> shown;
    {
        auto alert =
            std::make_shared<UIAlertView>("Tortamos", "You have birthdays today", &listener,
                                          "Dismiss", std::vector<std::string>{"Open"});
        alert->setTag(1);
        alert->show();
        shown = alert;
    }
    ASSERT_FALSE(shown.expired()) << "the screen holds a shown alert";
    EXPECT_NE(
        device.journal().find(R"(alert "Tortamos" "You have birthdays today" "Dismiss" "Open")"),
        std::string::npos);
    uikit::runPendingWork();
    const CGRect frame = shown.lock()->screenFrame();
    EXPECT_EQ(CGRectIntersection(frame, UIScreen::mainScreen().bounds()), frame);

    uikit::tapAt({5, 5});
    EXPECT_EQ(behind, 0) << "the alert is modal";
    ASSERT_TRUE(uikit::tap("Open"));
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"clicked 1 tag 1", "will dismiss 1", "did dismiss 1"}));
    uikit::runPendingWork();
    EXPECT_TRUE(shown.expired());
    uikit::tapAt({5, 5});
    EXPECT_EQ(behind, 1);
}

TEST(UIAlertView, TheLatestAlertShowsAndTheEarlierComesBack)
{
    TempDevice device;
    auto first = std::make_shared<UIAlertView>("First", "", nullptr, "A");
    auto second = std::make_shared<UIAlertView>("Second", "", nullptr, "B");
    first->show();
    second->show();
    EXPECT_FALSE(uikit::tap("A"));
    ASSERT_TRUE(uikit::tap("B"));
    EXPECT_FALSE(second->isVisible());
    ASSERT_TRUE(uikit::tap("A"));
    EXPECT_FALSE(first->isVisible());
}

TEST(UIAlertView, ALongMessageStaysOnTheScreen)
{
    TempDevice device;
    std::string message;
    for (int line = 0; line < 60; ++line)
        message += "A line of credits for the about box.\n";
    auto alert = std::make_shared<UIAlertView>("About", message, nullptr, "Close");
    alert->show();
    uikit::runPendingWork();
    const CGRect frame = alert->screenFrame();
    EXPECT_GE(frame.origin.y, 0);
    EXPECT_LE(CGRectGetMaxY(frame), 480);
    ASSERT_TRUE(uikit::tap("Close"));
}

// Two buttons share a row, unless a title would be cut there.
TEST(UIAlertView, TwoButtonsShareARowWhenTheirTitlesFit)
{
    TempDevice device;
    for (const auto& [other, shareRow] :
         {std::pair{"OK", true}, std::pair{"Import Others", false}}) {
        auto alert = std::make_shared<UIAlertView>("Import", "", nullptr, "Cancel",
                                                   std::vector<std::string>{other});
        alert->show();
        const auto rows = [&] {
            std::vector<CGFloat> tops;
            for (const auto& button : alert->subviews())
                if (button->className() == "UIAlertButton")
                    tops.push_back(button->frame().origin.y);
            return tops;
        }();
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0] == rows[1], shareRow) << other;
        alert->dismissWithClickedButtonIndex_animated(0, false);
    }
}

// With nothing focused, Return taps the default button: the one besides the cancel button, else
// the one Escape taps.
TEST(UIAlertView, ReturnTapsTheDefaultButtonAndEscapeTheCancelButton)
{
    TempDevice device;
    const struct {
        const char* key;
        const char* cancel;
        std::vector<std::string> others;
        int clicked;
    } cases[] = {
        {"Return", "Cancel", {"Import Others"}, 1},
        {"Enter", "OK", {}, 0},
        {"Return", "", {"Open"}, 0},
        {"Return", "Cancel", {"One", "Two"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key + std::string(" ") + c.cancel);
        Listener listener;
        auto alert = std::make_shared<UIAlertView>("Import", "", &listener, c.cancel, c.others);
        alert->show();
        uikit::runPendingWork();
        ASSERT_TRUE(uikit::pressKey(c.key));
        EXPECT_FALSE(alert->isVisible());
        ASSERT_FALSE(listener.events.empty());
        EXPECT_EQ(listener.events.front(), "clicked " + std::to_string(c.clicked) + " tag 0");
    }
}

} // namespace
