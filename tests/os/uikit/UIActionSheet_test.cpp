#include <uikit/Automation.h>
#include <uikit/UIActionSheet.h>
#include <uikit/UIImage.h>
#include <uikit/UIScrollView.h>
#include <uikit/ViewDump.h>

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

// The records of the screen's dump, front last, whose key holds the text.
void collect(const uikit::DumpRecord& record, std::string_view key, std::string_view text,
             std::vector<const uikit::DumpRecord*>& found)
{
    if (record.text(key) == text)
        found.push_back(&record);
    if (const auto* children = record.list("children"))
        for (const auto& child : *children)
            collect(child, key, text, found);
}

std::vector<const uikit::DumpRecord*> find(const uikit::DumpRecord& dump, std::string_view key,
                                           std::string_view text)
{
    std::vector<const uikit::DumpRecord*> found;
    collect(dump, key, text, found);
    return found;
}

CGRect frameOf(const uikit::DumpRecord& record)
{
    const auto& numbers = std::get<uikit::DumpRecord::Numbers>(*record.find("frame"));
    return CGRectMake(numbers[0], numbers[1], numbers[2], numbers[3]);
}

class ShownSheet : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (sheet && sheet->isVisible())
            sheet->dismissWithClickedButtonIndex_animated(-1, false);
        uikit::runPendingWork();
    }

    // A sheet as the number sheet makes it: buttons added one by one, the last one "Cancel"
    // drawn as the destructive button.
    void showNumbers(const std::vector<std::string>& numbers)
    {
        sheet = std::make_shared<UIActionSheet>("Select the Mobile Phone Number:", &recorder, "",
                                                "");
        for (const auto& number : numbers)
            sheet->addButtonWithTitle(number);
        sheet->addButtonWithTitle("Cancel");
        sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
        sheet->setDestructiveButtonIndex(int(numbers.size()));
        sheet->showInView(nullptr);
        uikit::runPendingWork();
    }

    Recorder recorder;
    std::shared_ptr<UIActionSheet> sheet;
};

TEST(UIActionSheet, ButtonsKeepTheOrderOfAddingAndThePlatformsOrderAtCreation)
{
    UIActionSheet added("Title", nullptr, "", "");
    EXPECT_EQ(added.addButtonWithTitle("one"), 0);
    EXPECT_EQ(added.addButtonWithTitle("two"), 1);
    EXPECT_EQ(added.numberOfButtons(), 2);
    EXPECT_EQ(added.buttonTitleAtIndex(1), "two");
    EXPECT_EQ(added.buttonTitleAtIndex(2), "");
    EXPECT_EQ(added.buttonTitleAtIndex(-1), "");
    EXPECT_EQ(added.cancelButtonIndex(), -1);
    EXPECT_EQ(added.destructiveButtonIndex(), -1);

    UIActionSheet created("", nullptr, "Cancel", "Delete", {"Copy", "Move"});
    ASSERT_EQ(created.numberOfButtons(), 4);
    EXPECT_EQ(created.buttonTitleAtIndex(0), "Delete");
    EXPECT_EQ(created.destructiveButtonIndex(), 0);
    EXPECT_EQ(created.firstOtherButtonIndex(), 1);
    EXPECT_EQ(created.buttonTitleAtIndex(3), "Cancel");
    EXPECT_EQ(created.cancelButtonIndex(), 3);
}

TEST_F(ShownSheet, LiesAtTheBottomOfTheScreenWithItsTitleAndButtonsInTheDump)
{
    showNumbers({"(11) 9876-5432", "+55 11 1234-5678"});
    EXPECT_TRUE(sheet->isVisible());
    const CGRect frame = sheet->frame();
    EXPECT_EQ(CGRectGetMaxY(frame), 480);
    EXPECT_GE(frame.origin.y, 20);

    const auto dump = uikit::dumpScreen();
    const auto sheets = find(dump, "class", "UIActionSheet");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0]->text("title"), "Select the Mobile Phone Number:");
    EXPECT_EQ(std::get<double>(*sheets[0]->find("style")), 2.0);
    EXPECT_EQ(std::get<double>(*sheets[0]->find("destructiveButtonIndex")), 2.0);

    const auto first = find(*sheets[0], "text", "(11) 9876-5432");
    const auto second = find(*sheets[0], "text", "+55 11 1234-5678");
    const auto cancel = find(*sheets[0], "text", "Cancel");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    ASSERT_EQ(cancel.size(), 1u);
    EXPECT_LT(frameOf(*first[0]).origin.y, frameOf(*second[0]).origin.y);
    EXPECT_LT(frameOf(*second[0]).origin.y, frameOf(*cancel[0]).origin.y);
    EXPECT_EQ(cancel[0]->find("destructive") != nullptr, true);
    EXPECT_EQ(first[0]->find("destructive"), nullptr);
    for (const auto* button : {first[0], second[0], cancel[0]})
        EXPECT_EQ(CGRectIntersection(frame, frameOf(*button)), frameOf(*button));
}

TEST_F(ShownSheet, DrawsTheDestructiveButtonRedAndTheOthersLight)
{
    showNumbers({"555.123.4567"});
    const auto dump = uikit::dumpScreen();
    const CGRect cancel = frameOf(*find(dump, "text", "Cancel").at(0));
    const CGRect number = frameOf(*find(dump, "text", "555.123.4567").at(0));
    auto image = uikit::screenshot();
    ASSERT_TRUE(image);
    const auto png = UIImagePNGRepresentation(image);
    QImage picture;
    ASSERT_TRUE(picture.loadFromData(png.data(), int(png.size()), "PNG"));
    const QColor red = picture.pixelColor(int(cancel.origin.x + 12), int(CGRectGetMidY(cancel)));
    EXPECT_GT(red.red(), 150);
    EXPECT_LT(red.green(), 100);
    EXPECT_LT(red.blue(), 100);
    const QColor light = picture.pixelColor(int(number.origin.x + 12), int(CGRectGetMidY(number)));
    EXPECT_GT(light.red(), 180);
    EXPECT_GT(light.green(), 180);
    EXPECT_GT(light.blue(), 180);
}

TEST_F(ShownSheet, ATapOnAButtonTellsTheDelegateItsIndexThenGoes)
{
    showNumbers({"111", "222", "333"});
    ASSERT_TRUE(uikit::tap("222"));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"clicked 1", "will 1", "did 1"}));
    EXPECT_FALSE(sheet->isVisible());
    uikit::runPendingWork();
    EXPECT_TRUE(find(uikit::dumpScreen(), "class", "UIActionSheet").empty());
    EXPECT_FALSE(uikit::tap("222"));

    recorder.events.clear();
    sheet->dismissWithClickedButtonIndex_animated(0, false);
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(ShownSheet, TheScreenHoldsTheSheetWhileItIsShown)
{
    showNumbers({"111"});
    std::weak_ptr<UIActionSheet> weak = sheet;
    sheet.reset();
    uikit::runPendingWork();
    ASSERT_FALSE(weak.expired());
    ASSERT_TRUE(uikit::tap("Cancel"));
    EXPECT_EQ(recorder.events.front(), "clicked 1");
    uikit::runPendingWork();
    EXPECT_TRUE(weak.expired());
}

TEST_F(ShownSheet, ManyButtonsStayOnTheScreenAndScrollWithinTheSheet)
{
    std::vector<std::string> numbers;
    for (int i = 0; i < 30; ++i)
        numbers.push_back("number " + std::to_string(i));
    showNumbers(numbers);
    const CGRect frame = sheet->frame();
    EXPECT_GE(frame.origin.y, 20);
    EXPECT_EQ(CGRectGetMaxY(frame), 480);

    UIScrollView* area = nullptr;
    for (const auto& child : sheet->subviews())
        if (auto* scroll = dynamic_cast<UIScrollView*>(child.get()))
            area = scroll;
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->contentSize().height, area->frame().size.height);
    area->setContentOffset({0, area->contentSize().height});
    uikit::runPendingWork();
    ASSERT_TRUE(uikit::tap("Cancel"));
    EXPECT_EQ(recorder.events.front(), "clicked 30");
}

} // namespace
