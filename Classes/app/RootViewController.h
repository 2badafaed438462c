#pragma once
// The main screen: a navigation bar titled "Birthdays" with the about button, the table of one
// of the three birthday lists and a tab bar of four items. It is the data source and delegate of
// its table and the delegate of its tab bar, of the person screen it opens and of the number
// sheet. The lists themselves are built by the birthday list engine; this controller shows them.
//
// A desktop window stays open for days, so the list is kept current as a new launch would show
// it: when the window comes to the front, and while the list shows (one look at the store's
// modification date a second), a changed address book or a new day imports the book again and
// rebuilds the list on display. A person or settings screen over the list is left alone; the
// list is brought up to date when it shows again.
//
// Lives for the whole run of the application. Main thread only.
#include "ContactActions.h"
#include "PhotoCache.h"
#include "addressbook/AddressBook.h"
#include "addressbookui/ABPersonViewController.h"
#include "engine/BirthdayList.h"
#include "foundation/FileAttributes.h"
#include "foundation/RepeatingTimer.h"
#include "platform/Clock.h"
#include "platform/DateServices.h"
#include "uikit/UIActionSheet.h"
#include "uikit/UIAlertView.h"
#include "uikit/UINavigationController.h"
#include "uikit/UITabBar.h"
#include "uikit/UITableViewController.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class InfoViewController;
class UIBarButtonItem;
class UIControl;

class RootViewController : public UITableViewController,
                           public UITabBarDelegate,
                           public UINavigationControllerDelegate,
                           public UIAlertViewDelegate,
                           public ABPersonViewControllerDelegate,
                           public UIActionSheetDelegate {
public:
    // The reuse identifier of the birthday rows.
    static constexpr const char* kCellIdentifier = "MyIdentifier";

    // The device's address book and clock by default; tests give their own. The book is the
    // one the lists are read from and the person screen writes to; the clock must outlive the
    // controller.
    explicit RootViewController(std::shared_ptr<ab::AddressBook> addressBook = deviceAddressBook(),
                                const platform::Clock& clock = platform::system_clock());
    ~RootViewController() override;

    static std::shared_ptr<ab::AddressBook> deviceAddressBook();

    // --- the screen
    // A plain view: viewDidLoad builds the content view with the table and the tab bar.
    void loadView() override;
    void viewDidLoad() override;
    // The list shows (again): brought up to date, then looked after once a second.
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void didReceiveMemoryWarning() override;
    // The information button's action: shows the about box.
    void about(UIControl* sender);
    // Tags 0 to 2 read the list settings again, rebuild a list from the records in memory and
    // reload the table; tag 3 opens the settings screen; any tag is remembered in
    // itemTabSelected.
    void tabBar_didSelectItem(UITabBar* tabBar, UITabBarItem* item) override;
    // Presents a new settings screen over the main screen.
    void presentSettingsScreen();
    // When the address book's modification date or today's date differs from those of the last
    // import, or the person screen changed the book: takes today's date, imports again and
    // rebuilds the list on display with the first tab item's badge. Waits while a person or
    // settings screen covers the list.
    void bringUpToDate();

    // --- the lists (the engine's, read only here)
    // Reads the address book again into birthday records dated on today's date (yearNow,
    // monthNow, dayNow); photos shown before are read anew.
    void PopulateAddressBook();
    // Each reads the list settings (bHideAge, bHideSigno) again, then builds the list.
    void PopulateSection_byDate(bool comingOnly);
    void PopulateSection_byName();
    // Builds the list and reloads the table; the by-name list also counts today's birthdays
    // into the first tab item's badge, which a new import may have changed.
    void showList(contact_actions::ListToRebuild list);
    const std::vector<engine::RecordRef>& listArray() const { return birthdays_.listArray(); }
    const std::vector<std::string>& dataArraySection() const
    {
        return birthdays_.dataArraySection();
    }
    const std::vector<int32_t>& dataArraySectionCount() const
    {
        return birthdays_.dataArraySectionCount();
    }
    const std::vector<std::vector<engine::RecordRef>>& tempMutableTypeArray() const
    {
        return birthdays_.tempMutableTypeArray();
    }
    int32_t itemTabSelected() const { return birthdays_.itemTabSelected(); }
    const ab::AddressBook& addressBook() const { return *addressBook_; }

    // --- the table's answers
    int numberOfSectionsInTableView(UITableView* tableView) override;
    int tableView_numberOfRowsInSection(UITableView* tableView, int section) override;
    std::string tableView_titleForHeaderInSection(UITableView* tableView, int section) override;
    CGFloat tableView_heightForRowAtIndexPath(UITableView* tableView,
                                              const NSIndexPath& indexPath) override;
    std::optional<UITableViewCellAccessoryType> tableView_accessoryTypeForRowWithIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath) override;
    // A birthday cell filled from the record at the row.
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath) override;

    // --- the contact actions
    // Opens the person screen of the row's contact.
    void tableView_didSelectRowAtIndexPath(UITableView* tableView,
                                           const NSIndexPath& indexPath) override;
    // The person screen's "Back": reads the address book again, rebuilds the list of the tab
    // last chosen, reloads the table and goes back.
    void theBackButton_event(UIBarButtonItem* sender);
    // The person screen's send button: offers the contact's phone numbers in a sheet.
    void theSendButton_event(UIBarButtonItem* sender);
    // A number of the sheet opens a text message to it; "Cancel" does nothing.
    void actionSheet_clickedButtonAtIndex(UIActionSheet* actionSheet, int buttonIndex) override;
    // Always true: the person screen carries out its own action on a tapped value.
    bool personViewController_shouldPerformDefaultActionForPerson_property_identifier(
        ABPersonViewController* personViewController, const ab::Person& person,
        ABPropertyID property, ABMultiValueIdentifier identifier) override;
    void navigationController_didShowViewController_animated(
        UINavigationController* navigationController, UIViewController* viewController,
        bool animated) override;
    // The source with every occurrence of the target replaced.
    static std::string replaceString_inString_withString(std::string_view target,
                                                         std::string_view source,
                                                         std::string_view replacement);

    // --- the screen's own fields
    std::vector<std::string> arrayPhones; // the numbers offered in the last number sheet
    std::shared_ptr<UITabBar> tabBar;
    std::shared_ptr<UITabBarItem> tabItem1; // "Next Birthdays", carries the today badge
    std::shared_ptr<UITableView> myTableView;
    int32_t itemRowSelected = 0;
    int32_t itemSectionSelected = 0;
    std::shared_ptr<InfoViewController> ivControllerToolbar;
    std::shared_ptr<UINavigationController> infoNavController;

private:
    // The first tab item's badge: the number of birthdays today, none when there are none.
    void showTodayBadge();
    // No person or settings screen covers the list.
    bool showsList();
    bool importIsStale();

    const std::shared_ptr<ab::AddressBook> addressBook_;
    const platform::Clock& clock_;
    engine::BirthdayList birthdays_;
    PhotoCache photos_;
    contact_actions::ListToRebuild shownList_ = contact_actions::ListToRebuild::ComingBirthdays;
    // Of the last import: the store's modification date, read before the book.
    std::optional<os::Timestamp> importedStoreDate_;
    bool bookChangedHere_ = false;
    // Made at the first look at today's date after the start, not during it.
    std::unique_ptr<platform::Calendar> calendar_;
    // Looks for a changed address book or date while the list shows.
    os::RepeatingTimer watch_;
};
