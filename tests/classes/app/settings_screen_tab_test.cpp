#include "settings_screen_fixture.h"

#include "RootViewController.h"

#include "platform/AddressBookAccess.h"
#include "platform/Clock.h"
#include "platform/DateServices.h"

#include <uikit/UITabBar.h>
#include <uikit/UITabBarItem.h>

#include <memory>

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

class SettingsTabTest : public SettingsScreenTest {
protected:
    void SetUp() override
    {
        SettingsScreenTest::SetUp();
        store({1, 0, 0, 1, 1, 11, 0, 0});
        ab::Person ana;
        ana.first_name = "Ana";
        ana.birthday = ab::CivilDate{1980, 3, 10};
        book.add(ana);
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

    platform::InMemoryAddressBook book;
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
