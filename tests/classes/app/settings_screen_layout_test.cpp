#include "settings_screen_fixture.h"

#include <uikit/UIBarButtonItem.h>
#include <uikit/UINavigationBar.h>

#include <string>
#include <vector>

namespace {

struct ExpectedRow {
    int section;
    int row;
    std::string title;
    UIView* control;
    UITableViewCellSelectionStyle selection;
};

TEST_F(SettingsScreenTest, ABlackBarWithSaveAtTheLeftAndTheTitle)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    UINavigationController* navigation = s.navigationController();
    ASSERT_NE(navigation, nullptr);
    EXPECT_EQ(navigation->navigationBar()->barStyle(), UIBarStyleBlackOpaque);
    UINavigationItem* item = s.navigationItem();
    EXPECT_EQ(item->title(), "Settings");
    ASSERT_NE(item->leftBarButtonItem(), nullptr);
    EXPECT_EQ(item->leftBarButtonItem()->title(), "Save");
    EXPECT_EQ(item->leftBarButtonItem()->style(), UIBarButtonItemStyleDone);
    EXPECT_EQ(item->rightBarButtonItem(), nullptr);
    EXPECT_TRUE(s.shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationPortrait));
    EXPECT_FALSE(s.shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
}

TEST_F(SettingsScreenTest, TheTableAndBothPickersTakeTheirFrames)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    const UIView& content = *s.view();
    EXPECT_EQ(content.backgroundColor(), UIColor::blackColor());
    EXPECT_EQ(content.autoresizingMask(), unsigned(UIViewAutoresizingFlexibleWidth));
    ASSERT_NE(s.myTableView(), nullptr);
    EXPECT_EQ(s.myTableView()->style(), UITableViewStyleGrouped);
    EXPECT_EQ(s.myTableView()->frame(), CGRectMake(0, 0, 320, 415));
    EXPECT_EQ(s.pickerFrameWithSize(CGSizeMake(320, 216)), CGRectMake(0, 200, 320, 216));
    EXPECT_EQ(s.myPickerView->frame(), CGRectMake(0, 200, 320, 216));
    EXPECT_EQ(s.datePickerView->frame(), CGRectMake(0, 200, 320, 216));
    EXPECT_EQ(s.datePickerView->datePickerMode(), UIDatePickerModeCountDownTimer);
    EXPECT_TRUE(s.myPickerView->showsSelectionIndicator());
    EXPECT_EQ(s.myPickerView->delegate(), &s);

    // Both pickers lie on top of the table, the time picker on top of all.
    const auto& views = content.subviews();
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0], s.myTableView());
    EXPECT_EQ(views[1], s.myPickerView);
    EXPECT_EQ(views[2], s.datePickerView);
}

TEST_F(SettingsScreenTest, SevenRowsInThreeGroupsEachWithItsControl)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    UITableView& table = *s.myTableView();
    ASSERT_EQ(table.numberOfSections(), 3);
    EXPECT_EQ(table.titleForHeaderInSection(0), "Signaling:");
    EXPECT_EQ(table.titleForHeaderInSection(1), "Alert:");
    EXPECT_EQ(table.titleForHeaderInSection(2), "Options:");
    EXPECT_EQ(table.numberOfRowsInSection(0), 1);
    EXPECT_EQ(table.numberOfRowsInSection(1), 4);
    EXPECT_EQ(table.numberOfRowsInSection(2), 2);

    const std::vector<ExpectedRow> rows{
        {0, 0, "Use Badge", s.switchCtl.get(), UITableViewCellSelectionStyleNone},
        {1, 0, "Time", s.labelTimer.get(), UITableViewCellSelectionStyleGray},
        {1, 1, "Popup", s.switchPopup.get(), UITableViewCellSelectionStyleNone},
        {1, 2, "Sound", s.switchSound.get(), UITableViewCellSelectionStyleNone},
        {1, 3, "Work Standby mode", s.switchStandby.get(), UITableViewCellSelectionStyleNone},
        {2, 0, "Hide Age (1900)", s.switchAge.get(), UITableViewCellSelectionStyleNone},
        {2, 1, "Hide Horoscope", s.switchSigno.get(), UITableViewCellSelectionStyleNone},
    };
    for (const ExpectedRow& expected : rows) {
        const auto path = NSIndexPath::indexPathForRow_inSection(expected.row, expected.section);
        table.scrollToRowAtIndexPath_atScrollPosition_animated(path,
                                                               UITableViewScrollPositionNone, false);
        uikit::runPendingWork();
        auto* cell = dynamic_cast<DisplayCell*>(table.cellForRowAtIndexPath(path));
        ASSERT_NE(cell, nullptr) << expected.title;
        EXPECT_EQ(cell->nameLabel()->text(), expected.title);
        EXPECT_EQ(cell->view().get(), expected.control) << expected.title;
        EXPECT_EQ(expected.control->superview(), cell->contentView()) << expected.title;
        EXPECT_EQ(cell->selectionStyle(), expected.selection) << expected.title;
        EXPECT_EQ(s.tableView_editingStyleForRowAtIndexPath(&table, path),
                  UITableViewCellEditingStyleNone);
    }
}

TEST_F(SettingsScreenTest, EverySwitchIsTheStandardClearSwitch)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    for (const auto& control : {s.switchCtl, s.switchAge, s.switchSigno, s.switchSound,
                                s.switchPopup, s.switchStandby}) {
        EXPECT_EQ(control->frame().size, CGSizeMake(94, 27));
        EXPECT_EQ(control->backgroundColor(), UIColor::clearColor());
        EXPECT_TRUE(control->isEnabled());
    }
}

TEST_F(SettingsScreenTest, APushedScreenBuildsNothing)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    auto pushed = std::make_shared<InfoViewController>("InfoView", &NSBundle::mainBundle());
    pushed->setIsViewPushed(true);
    pushed->view();
    EXPECT_EQ(pushed->myTableView(), nullptr);
    EXPECT_EQ(pushed->switchCtl, nullptr);
    EXPECT_EQ(pushed->navigationItem()->leftBarButtonItem(), nullptr);
    EXPECT_EQ(memory(), SettingsRow{});
}

} // namespace
