#include "ContactsListViewController.h"
#include "DumpQuery.h"
#include "People.h"
#include "TempDevice.h"
#include "addressbook/DeviceAddressBook.h"
#include "addressbookui/ABPersonViewController.h"
#include "foundation/ManualRunLoop.h"
#include "uikit/Automation.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

bool showsText(std::string_view text)
{
    return !shownWith(uikit::dumpScreen(), "text", text).empty();
}

TEST(ContactsListScreen, FollowsTheStoreWhileShownAndOpensThePersonScreen)
{
    TempDevice device;
    os::FixedClock clock;
    os::ManualRunLoop loop(clock);
    os::install_main_run_loop(&loop);
    auto list =
        std::make_shared<ContactsListViewController>(std::make_shared<ab::DeviceAddressBook>());
    auto navigation = std::make_shared<UINavigationController>(list);
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->addSubview(navigation->view());
    window->makeKeyAndVisible();
    uikit::runPendingWork();
    EXPECT_TRUE(showsText("No Contacts"));

    // Another program writes the store: the list follows at its next look at the file.
    const ab::RecordID ada = add_person(*ab::AddressBook::create(), person("Ada", "Lovelace", {}));
    loop.advance(ContactsListViewController::kStoreCheckInterval);
    ASSERT_EQ(list->sections().size(), 1u);
    EXPECT_EQ(list->sections()[0].title, "L");
    EXPECT_FALSE(showsText("No Contacts"));
    EXPECT_EQ(list->tableView()->sectionIndexTitles(), (std::vector<std::string>{"L"}));

    ASSERT_TRUE(uikit::tap("Ada Lovelace"));
    uikit::runPendingWork();
    auto* shown = dynamic_cast<ABPersonViewController*>(navigation->topViewController());
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->displayedPerson().id, ada);
    EXPECT_TRUE(shown->allowsEditing());
    EXPECT_FALSE(shown->isEditing());
    EXPECT_EQ(loop.timerCount(), 0u) << "the file is not watched while the list is covered";

    // Back on the list, it is read again: a person removed meanwhile is gone.
    ASSERT_TRUE(ab::AddressBook::create()->remove(ada));
    navigation->popViewControllerAnimated(false);
    uikit::runPendingWork();
    EXPECT_TRUE(list->sections().empty());
    EXPECT_TRUE(showsText("No Contacts"));

    ASSERT_TRUE(uikit::tap("+"));
    uikit::runPendingWork();
    shown = dynamic_cast<ABPersonViewController*>(navigation->topViewController());
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->displayedPerson().id, ab::kInvalidRecordID);
    EXPECT_TRUE(shown->isEditing());

    window.reset();
    navigation.reset();
    uikit::runPendingWork();
    os::install_main_run_loop(nullptr);
}

} // namespace
