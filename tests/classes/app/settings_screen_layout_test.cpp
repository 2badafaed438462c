#include "settings_screen_fixture.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UINavigationBar.h"

#include <string>
#include <vector>

namespace {

TEST_F(SettingsScreenTest, ABlackBarWithSaveAtTheLeftOverTheTableAndThePickers)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    EXPECT_EQ(s.navigationController()->navigationBar()->barStyle(), UIBarStyleBlackOpaque);
    EXPECT_EQ(s.navigationItem()->title(), "Settings");
    ASSERT_NE(s.navigationItem()->leftBarButtonItem(), nullptr);
    EXPECT_EQ(s.navigationItem()->leftBarButtonItem()->title(), "Save");
    EXPECT_EQ(s.navigationItem()->leftBarButtonItem()->style(), UIBarButtonItemStyleDone);
    EXPECT_EQ(s.navigationItem()->rightBarButtonItem(), nullptr);

    // Back to front: the table, then the two pickers over its lower part.
    const auto& views = s.view()->subviews();
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0], s.myTableView());
    EXPECT_EQ(views[1], s.myPickerView);
    EXPECT_EQ(views[2], s.datePickerView);
    EXPECT_EQ(s.myTableView()->frame(), CGRectMake(0, 0, 320, 415));
    EXPECT_EQ(s.myPickerView->frame(), CGRectMake(0, 200, 320, 216));
    EXPECT_EQ(s.datePickerView->frame(), CGRectMake(0, 200, 320, 216));
}

TEST_F(SettingsScreenTest, SevenRowsInThreeGroupsEachWithItsControl)
{
    store({1, 0, 0, 1, 1, 11, 0, 0});
    InfoViewController& s = open();
    UITableView& table = *s.myTableView();
    EXPECT_EQ(table.titleForHeaderInSection(0), "Signaling:");
    EXPECT_EQ(table.titleForHeaderInSection(1), "Alert:");
    EXPECT_EQ(table.titleForHeaderInSection(2), "Options:");

    struct Row {
        int section, row;
        std::string title;
        UIView* control;
    };
    const std::vector<Row> rows{
        {0, 0, "Use Badge", s.switchCtl.get()},
        {1, 0, "Time", s.labelTimer.get()},
        {1, 1, "Popup", s.switchPopup.get()},
        {1, 2, "Sound", s.switchSound.get()},
        {1, 3, "Work Standby mode", s.switchStandby.get()},
        {2, 0, "Hide Age (1900)", s.switchAge.get()},
        {2, 1, "Hide Horoscope", s.switchSigno.get()},
    };
    ASSERT_EQ(table.numberOfRowsInSection(0) + table.numberOfRowsInSection(1) +
                  table.numberOfRowsInSection(2),
              int(rows.size()));
    for (const Row& expected : rows) {
        const auto path = NSIndexPath::indexPathForRow_inSection(expected.row, expected.section);
        table.scrollToRowAtIndexPath_atScrollPosition_animated(path, UITableViewScrollPositionNone,
                                                               false);
        uikit::runPendingWork();
        auto* cell = dynamic_cast<DisplayCell*>(table.cellForRowAtIndexPath(path));
        ASSERT_NE(cell, nullptr) << expected.title;
        EXPECT_EQ(cell->nameLabel()->text(), expected.title);
        EXPECT_EQ(cell->view().get(), expected.control) << expected.title;
        EXPECT_EQ(expected.control->superview(), cell->contentView()) << expected.title;
        EXPECT_EQ(cell->selectionStyle(), expected.title == "Time"
                                              ? UITableViewCellSelectionStyleGray
                                              : UITableViewCellSelectionStyleNone);
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
    EXPECT_EQ(memory(), SettingsRow{});
}

} // namespace
