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
        root = std::make_shared<CountingRootViewController>(book, clock);
        main = std::make_shared<UINavigationController>(root);
        window->addSubview(main->view());
        window->makeKeyAndVisible();
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
    std::shared_ptr<CountingRootViewController> root;
    std::shared_ptr<UINavigationController> main;
};

TEST_F(SettingsTabTest, TheSettingsItemPresentsTheScreenWithoutTouchingTheList)
{
    const int asked = root->rowsAsked;
    ASSERT_GT(asked, 0);
    const auto sections = root->dataArraySection();

    tapRow("Settings");
    InfoViewController* screen = presented();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->nibName(), "InfoView");
    EXPECT_FALSE(screen->isViewPushed());
    EXPECT_EQ(root->ivControllerToolbar, nullptr);
    EXPECT_EQ(root->infoNavController, nullptr);
    EXPECT_EQ(root->itemTabSelected(), 3);

    save();
    EXPECT_EQ(main->modalViewController(), nullptr);
    EXPECT_EQ(root->itemTabSelected(), 3);
    EXPECT_EQ(root->tabBar->selectedItem()->tag(), 3);
    EXPECT_EQ(root->dataArraySection(), sections);
    EXPECT_EQ(root->rowsAsked, asked);
}

TEST_F(SettingsTabTest, EachTapMakesANewScreenAndTheClosedOneGoes)
{
    tapRow("Settings");
    std::weak_ptr<UIViewController> first = presented()->weak_from_this();
    save();
    uikit::runPendingWork();
    EXPECT_TRUE(first.expired());

    tapRow("Settings");
    ASSERT_NE(presented(), nullptr);
    EXPECT_TRUE(presented()->switchCtl->isOn());
}

} // namespace
