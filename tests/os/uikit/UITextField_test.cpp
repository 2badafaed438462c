#include "uikit/Automation.h"
#include "uikit/UIScreen.h"
#include "uikit/UITextField.h"
#include "uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

// The field's pixels that are neither its white face nor its border: the text or placeholder.
int inkIn(const QImage& shot, CGRect frame)
{
    int ink = 0;
    for (int y = int(frame.origin.y) + 4; y < int(CGRectGetMaxY(frame)) - 4; ++y)
        for (int x = int(frame.origin.x) + 4; x < int(CGRectGetMaxX(frame)) - 4; ++x)
            ink += qGray(shot.pixel(x, y)) < 230;
    return ink;
}

TEST(UITextField, TypingAfterATapChangesTheTextAndCallsBackButCodeDoesNot)
{
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->setBackgroundColor(UIColor::whiteColor());
    auto name = std::make_shared<UITextField>(CGRectMake(20, 40, 280, 31));
    name->setPlaceholder("Name");
    auto other = std::make_shared<UITextField>(CGRectMake(20, 90, 280, 31));
    other->setText("Grace");
    std::vector<std::string> seen;
    name->addTarget_action_forControlEvents(
        [&](UIControl* sender) { seen.push_back(static_cast<UITextField*>(sender)->text()); },
        UIControlEventEditingChanged);
    window->addSubview(name);
    window->addSubview(other);
    window->makeKeyAndVisible();

    EXPECT_FALSE(uikit::typeText("lost")) << "no field has the keyboard yet";
    const auto path = std::filesystem::temp_directory_path() / "uitextfield-empty.png";
    ASSERT_TRUE(uikit::saveScreenshot(path));
    const int placeholderInk = inkIn(QImage(QString::fromStdString(path.string())), name->frame());
    EXPECT_GT(placeholderInk, 20) << "the placeholder shows while the field is empty";

    ASSERT_TRUE(uikit::tap("Name")) << "an empty field is found by its placeholder";
    EXPECT_TRUE(name->isFirstResponder());
    EXPECT_TRUE(uikit::typeText("Ada"));
    EXPECT_TRUE(uikit::typeText(" L"));
    name->setText("Ada L.");
    EXPECT_EQ(seen, (std::vector<std::string>{"Ada", "Ada L"}));

    uikit::tapAt({160, 105});
    EXPECT_TRUE(other->isFirstResponder());
    EXPECT_FALSE(name->isFirstResponder()) << "one field has the keyboard at a time";
    name->setText("");
    const auto dump = uikit::dumpView(*other);
    EXPECT_EQ(dump.text("class"), "UITextField");
    EXPECT_EQ(dump.text("text"), "Grace");
    EXPECT_EQ(dump.text("placeholder"), "");

    // The placeholder goes once there is text, and comes back when it is gone.
    name->setText("W");
    ASSERT_TRUE(uikit::saveScreenshot(path));
    const int textInk = inkIn(QImage(QString::fromStdString(path.string())), name->frame());
    EXPECT_LT(textInk, placeholderInk / 2);
    EXPECT_GT(textInk, 5);
    std::filesystem::remove(path);
}

} // namespace
