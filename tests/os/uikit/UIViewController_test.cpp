#include "uikit/UIScreen.h"
#include "uikit/UITableViewController.h"
#include "uikit/UIViewController.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(UIViewController, TheViewLoadsOnceOnFirstUse)
{
    struct Counting : UIViewController {
        int loads = 0;
        void viewDidLoad() override { ++loads; }
    };
    auto controller = std::make_shared<Counting>();
    EXPECT_FALSE(controller->isViewLoaded());
    const UIView* view = controller->view().get();
    EXPECT_EQ(controller->view().get(), view);
    EXPECT_EQ(controller->loads, 1);
    EXPECT_EQ(view->frame(), UIScreen::mainScreen().applicationFrame());
}

TEST(UIViewController, TheTitleIsAlsoTheNavigationItemsAndOnlyPortraitIsAccepted)
{
    auto controller = std::make_shared<UIViewController>("InfoView");
    EXPECT_EQ(controller->nibName(), "InfoView");
    controller->setTitle("Settings");
    EXPECT_EQ(controller->navigationItem()->title(), "Settings");
    EXPECT_TRUE(controller->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationPortrait));
    EXPECT_FALSE(
        controller->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
    EXPECT_EQ(controller->navigationController(), nullptr);
    controller->dismissModalViewControllerAnimated(true);
}

TEST(UITableViewController, ItsViewIsATableItServes)
{
    struct List : UITableViewController {
        int tableView_numberOfRowsInSection(UITableView*, int) override { return 7; }
    };
    auto list = std::make_shared<List>();
    EXPECT_EQ(list->tableView(), nullptr);
    auto* table = dynamic_cast<UITableView*>(list->view().get());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(list->tableView(), table);
    EXPECT_EQ(table->dataSource(), list.get());
    EXPECT_EQ(table->delegate(), list.get());
    table->layoutIfNeeded();
    EXPECT_EQ(table->numberOfRowsInSection(0), 7);
    EXPECT_EQ(table->visibleCells().size(), 7u) << "rows without a cell of their own still show";
}

} // namespace
