#include "DumpQuery.h"
#include "uikit/Automation.h"
#include "uikit/UIActionSheet.h"
#include "uikit/UIImage.h"
#include "uikit/UIScrollView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Recorder : UIActionSheetDelegate {
    std::vector<std::string> events;
    void actionSheet_clickedButtonAtIndex(UIActionSheet*, int index) override
    {
        events.push_back("clicked " + std::to_string(index));
    }
    void actionSheet_willDismissWithButtonIndex(UIActionSheet*, int index) override
    {
        events.push_back("will " + std::to_string(index));
    }
    void actionSheet_didDismissWithButtonIndex(UIActionSheet*, int index) override
    {
        events.push_back("did " + std::to_string(index));
    }
};

class ShownSheet : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (sheet && sheet->isVisible())
            sheet->dismissWithClickedButtonIndex_animated(-1, false);
        uikit::runPendingWork();
    }

    // The way a number sheet is made: a button per number, then "Cancel" drawn destructive.
    void showNumbers(const std::vector<std::string>& numbers)
    {
        sheet =
            std::make_shared<UIActionSheet>("Select the Mobile Phone Number:", &recorder, "", "");
        for (const auto& number : numbers)
            sheet->addButtonWithTitle(number);
        EXPECT_EQ(sheet->addButtonWithTitle("Cancel"), int(numbers.size()));
        sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
        sheet->setDestructiveButtonIndex(int(numbers.size()));
        sheet->showInView(nullptr);
        uikit::runPendingWork();
    }

    Recorder recorder;
    std::shared_ptr<UIActionSheet> sheet;
};

TEST_F(ShownSheet, LiesAtTheBottomOfTheScreenWithItsButtonsInOrderInTheDump)
{
    showNumbers({"(11) 9876-5432", "+55 11 1234-5678"});
    const CGRect frame = sheet->frame();
    EXPECT_EQ(CGRectGetMaxY(frame), 480);
    EXPECT_GE(frame.origin.y, 20);

    const auto dump = uikit::dumpScreen();
    const auto sheets = shownWith(dump, "class", "UIActionSheet");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0]->text("title"), "Select the Mobile Phone Number:");
    EXPECT_EQ(std::get<double>(*sheets[0]->find("style")), 2.0);
    std::vector<std::string> titles;
    CGFloat lastTop = 0;
    for (const auto* button : shownWith(*sheets[0], "class", "UIButton")) {
        titles.push_back(button->text("text").value_or(""));
        const CGRect place = frameOf(*button);
        EXPECT_GT(place.origin.y, lastTop);
        EXPECT_EQ(CGRectIntersection(frame, place), place);
        EXPECT_EQ(button->find("destructive") != nullptr, titles.back() == "Cancel");
        lastTop = place.origin.y;
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"(11) 9876-5432", "+55 11 1234-5678", "Cancel"}));
}

TEST_F(ShownSheet, DrawsTheDestructiveButtonRedAndTheOthersLight)
{
    showNumbers({"555.123.4567"});
    const auto dump = uikit::dumpScreen();
    const CGRect cancel = frameOf(*shownWith(dump, "text", "Cancel").at(0));
    const CGRect number = frameOf(*shownWith(dump, "text", "555.123.4567").at(0));
    const auto png = UIImagePNGRepresentation(uikit::screenshot());
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(png.data(), int(png.size()), "PNG"));
    const QColor red = picture.pixelColor(int(cancel.origin.x + 12), int(CGRectGetMidY(cancel)));
    EXPECT_GT(red.red(), 150);
    EXPECT_LT(red.green(), 100);
    const QColor light = picture.pixelColor(int(number.origin.x + 12), int(CGRectGetMidY(number)));
    EXPECT_GT(std::min({light.red(), light.green(), light.blue()}), 180);
}

TEST_F(ShownSheet, ATapTellsTheDelegateTheIndexThenTheSheetGoesAndIsReleased)
{
    showNumbers({"111", "222", "333"});
    std::weak_ptr<UIActionSheet> weak = sheet;
    sheet.reset();
    uikit::runPendingWork();
    ASSERT_FALSE(weak.expired()); // the screen holds it while shown

    ASSERT_TRUE(uikit::tap("222"));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"clicked 1", "will 1", "did 1"}));
    uikit::runPendingWork();
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(shownWith(uikit::dumpScreen(), "class", "UIActionSheet").empty());
}

TEST_F(ShownSheet, ManyButtonsStayOnTheScreenAndScrollWithinTheSheet)
{
    std::vector<std::string> numbers;
    for (int i = 0; i < 30; ++i)
        numbers.push_back("number " + std::to_string(i));
    showNumbers(numbers);
    EXPECT_GE(sheet->frame().origin.y, 20);
    EXPECT_EQ(CGRectGetMaxY(sheet->frame()), 480);

    UIScrollView* area = nullptr;
    for (const auto& child : sheet->subviews())
        if (auto* scroll = dynamic_cast<UIScrollView*>(child.get()))
            area = scroll;
    ASSERT_NE(area, nullptr);
    EXPECT_FALSE(uikit::tap("Cancel"));
    area->setContentOffset({0, area->contentSize().height});
    ASSERT_TRUE(uikit::tap("Cancel"));
    EXPECT_EQ(recorder.events.front(), "clicked 30");
}

} // namespace
