#include "RootViewController.h"
#include "TodoCell.h"
#include "addressbook/InMemoryAddressBook.h"
#include "platform/Clock.h"
#include "platform/DateServices.h"
#include "settings_screen_fixture.h"
#include "uikit/UITabBar.h"
#include "uikit/UITabBarItem.h"

#include <memory>
#include <string>

namespace {

// The main screen, counting the rows its table asks it for.
class CountingRootViewController : public RootViewController {
public:
    using RootViewController::RootViewController;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath) override
    {
        ++rowsAsked;
        return RootViewController::tableView_cellForRowAtIndexPath(tableView, indexPath);
    }
    int rowsAsked = 0;
};

// How often the list settings were read, by the log line each read writes.
int listSettingsReads(const std::string& log)
{
    int reads = 0;
    for (size_t at = log.find("] initializeDatabase...\n"); at != std::string::npos;
         at = log.find("] initializeDatabase...\n", at + 1))
        ++reads;
    return reads;
}

class SettingsTabTest : public SettingsScreenTest {
protected:
    void SetUp() override
    {
        SettingsScreenTest::SetUp();
        store({1, 0, 0, 1, 1, 11, 0, 0});
        ab::Person ana;
        ana.first_name = "Ana";
        ana.birthday = ab::CivilDate{1980, 3, 10};
        book->save(ana);
        window->addSubview(main->view());
        uikit::runPendingWork();
    }

    void TearDown() override
    {
        if (main->modalViewController())
            main->dismissModalViewControllerAnimated(false);
        SettingsScreenTest::TearDown();
    }

    InfoViewController* presented() const
    {
        auto* navigation = dynamic_cast<UINavigationController*>(main->modalViewController());
        return navigation ? dynamic_cast<InfoViewController*>(navigation->topViewController())
                          : nullptr;
    }

    std::shared_ptr<ab::InMemoryAddressBook> book = std::make_shared<ab::InMemoryAddressBook>();
    platform::FixedClock clock{platform::Calendar().dateFromParts(2009, 3, 10, 12)};
    std::shared_ptr<CountingRootViewController> root =
        std::make_shared<CountingRootViewController>(book, clock);
    std::shared_ptr<UINavigationController> main = std::make_shared<UINavigationController>(root);
};

TEST_F(SettingsTabTest, TheSettingsItemPresentsTheScreenWithoutTouchingTheList)
{
    const int asked = root->rowsAsked;
    ASSERT_GT(asked, 0);
    tap("Settings");
    ASSERT_NE(presented(), nullptr);
    EXPECT_EQ(presented()->nibName(), "InfoView");
    EXPECT_EQ(root->ivControllerToolbar, nullptr);
    EXPECT_EQ(root->infoNavController, nullptr);

    tap("Save");
    EXPECT_EQ(main->modalViewController(), nullptr);
    EXPECT_EQ(root->itemTabSelected(), 3);
    EXPECT_EQ(root->tabBar->selectedItem()->tag(), 3);
    EXPECT_EQ(root->rowsAsked, asked);
}

TEST_F(SettingsTabTest, EveryListTabReadsTheStoredSettingsBeforeItBuildsAndNoOtherTabDoes)
{
    // Stored after the screen loaded, as the settings screen's "Save" does: the rows show it only
    // if the next build reads the file again.
    std::filesystem::remove(file());
    store({1, 0, 1, 1, 1, 11, 0, 0});
    ASSERT_EQ(bHideSigno, 0);

    testing::internal::CaptureStderr();
    tap("All by Date");
    EXPECT_EQ(bHideSigno, 1);
    root->myTableView->layoutIfNeeded();
    auto* cell = dynamic_cast<TodoCell*>(
        root->myTableView->cellForRowAtIndexPath(NSIndexPath::indexPathForRow_inSection(0, 0)));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->todoTextItem->text(), "");
    tap("All by Name");
    tap("Next Birthdays");
    tap("All by Date");
    EXPECT_EQ(listSettingsReads(testing::internal::GetCapturedStderr()), 4);

    testing::internal::CaptureStderr();
    tap("Settings");
    tap("Save");
    UITabBarItem unknown("Unknown", nullptr, 7);
    root->tabBar_didSelectItem(root->tabBar.get(), &unknown);
    EXPECT_EQ(root->itemTabSelected(), 7);
    EXPECT_EQ(listSettingsReads(testing::internal::GetCapturedStderr()), 0);
}

TEST_F(SettingsTabTest, EachTapMakesANewScreenAndTheClosedOneGoes)
{
    tap("Settings");
    std::weak_ptr<UIViewController> first = presented()->weak_from_this();
    tap("Save");
    uikit::runPendingWork();
    EXPECT_TRUE(first.expired());
    tap("Settings");
    ASSERT_NE(presented(), nullptr);
    EXPECT_TRUE(presented()->switchCtl->isOn());
}

} // namespace
