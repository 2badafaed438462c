#include "RootViewController.h"

#include "Settings.h"
#include "TodayDate.h"
#include "addressbook/DeviceAddressBook.h"
#include "foundation/Bundle.h"
#include "uikit/UIButton.h"
#include "uikit/UIScreen.h"

namespace {

std::string localized(std::string_view key)
{
    return NSBundle::mainBundle().localizedStringForKey(key, "", "");
}

constexpr const char* kAboutTitle = "About Tortamos 2.0";
constexpr const char* kAboutMessage =
    "The Tortamos helps you remember all the birthdays of your contacts.\n"
    "\n"
    "Tortamos 2.0\n"
    "A birthday reminder for the phone and its home screen.\n"
    "Released under the MIT License.";
constexpr int kAboutTag = 1;

// The table leaves room below it for the tab bar.
constexpr CGFloat kTableHeightReduction = 90;

// How often the list on display looks at the store's modification date: one file-status call.
constexpr std::chrono::milliseconds kStoreCheckInterval{1000};

} // namespace

RootViewController::RootViewController(std::shared_ptr<ab::AddressBook> addressBook,
                                       const platform::Clock& clock)
    : UITableViewController(UITableViewStylePlain), addressBook_(std::move(addressBook)),
      clock_(clock), birthdays_(*addressBook_), photos_(*addressBook_)
{
}

RootViewController::~RootViewController() = default;

std::shared_ptr<ab::AddressBook> RootViewController::deviceAddressBook()
{
    return std::make_shared<ab::DeviceAddressBook>();
}

void RootViewController::loadView() { UIViewController::loadView(); }

void RootViewController::viewDidLoad()
{
    SetDateNow(clock_);
    setTitle(localized("Birthdays"));

    auto infoButton = UIButton::buttonWithType(UIButtonTypeInfoLight);
    infoButton->addTarget_action_forControlEvents([this](UIControl* sender) { about(sender); },
                                                  UIControlEventTouchUpInside);
    navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>(infoButton));

    auto contentView = std::make_shared<UIView>(UIScreen::mainScreen().applicationFrame());
    contentView->setBackgroundColor(UIColor::blackColor());
    contentView->setAutoresizesSubviews(true);
    setView(contentView);

    tabBar = std::make_shared<UITabBar>();
    tabBar->sizeToFit();
    tabBar->setDelegate(this);

    tabItem1 = std::make_shared<UITabBarItem>(localized("Next Birthdays"),
                                              UIImage::imageNamed("maindn.png"),
                                              engine::BirthdayList::kTabNextBirthdays);
    tabBar->setItems({
        tabItem1,
        std::make_shared<UITabBarItem>(localized("All by Date"), UIImage::imageNamed("datedn.png"),
                                       engine::BirthdayList::kTabAllByDate),
        std::make_shared<UITabBarItem>(localized("All by Name"), UIImage::imageNamed("namedn.png"),
                                       engine::BirthdayList::kTabAllByName),
        std::make_shared<UITabBarItem>(localized("Settings"), UIImage::imageNamed("configdn.png"),
                                       engine::BirthdayList::kTabSettings),
    });
    tabBar->setSelectedItem(tabItem1.get());

    const CGRect frame = contentView->frame();
    myTableView = std::make_shared<UITableView>(
        CGRectMake(0, 0, frame.size.width, frame.size.height - kTableHeightReduction),
        UITableViewStylePlain);
    myTableView->setDelegate(this);
    myTableView->setDataSource(this);
    contentView->addSubview(myTableView);

    tabBar->sizeToFit();
    const CGRect bounds = contentView->bounds();
    const double barHeight = tabBar->frame().size.height;
    // The bar's bottom edge lies barHeight - 5 above the content's bottom, which is where the
    // bottom of the screen is once the navigation bar takes its 44 points.
    const double y = double(CGRectGetMinY(bounds)) + double(bounds.size.height) - 2 * barHeight + 5;
    tabBar->setFrame(CGRectMake(CGRectGetMinX(bounds), static_cast<CGFloat>(y), bounds.size.width,
                                static_cast<CGFloat>(barHeight)));
    contentView->addSubview(tabBar);

    arrayPhones.clear();
    PopulateAddressBook();
    PopulateSection_byDate(true);
}

void RootViewController::viewWillAppear(bool animated)
{
    UITableViewController::viewWillAppear(animated);
    bringUpToDate();
    watch_.start(kStoreCheckInterval, [this] { bringUpToDate(); });
}

void RootViewController::viewWillDisappear(bool animated)
{
    UITableViewController::viewWillDisappear(animated);
    watch_.stop();
}

bool RootViewController::showsList()
{
    UINavigationController* navigation = navigationController();
    if (modalViewController() || (navigation && navigation->modalViewController()))
        return false;
    return !navigation || navigation->topViewController() == this;
}

bool RootViewController::importIsStale()
{
    if (bookChangedHere_ ||
        os::file_modification_date(ab::AddressBook::device_store_path()) != importedStoreDate_)
        return true;
    if (!calendar_)
        calendar_ = std::make_unique<platform::Calendar>();
    const platform::DateParts today = calendar_->components(clock_.now());
    return today.year != yearNow || today.month != monthNow || today.day != dayNow;
}

void RootViewController::bringUpToDate()
{
    if (!myTableView || !showsList() || !importIsStale())
        return;
    SetDateNow(clock_);
    PopulateAddressBook();
    showList(shownList_);
}

void RootViewController::didReceiveMemoryWarning()
{
    UITableViewController::didReceiveMemoryWarning();
}

void RootViewController::about(UIControl* /*sender*/)
{
    auto alert =
        std::make_shared<UIAlertView>(kAboutTitle, kAboutMessage, this, localized("Close"));
    alert->setTag(kAboutTag);
    alert->show();
}

void RootViewController::tabBar_didSelectItem(UITabBar* /*tabBar*/, UITabBarItem* item)
{
    if (!item)
        return;
    if (engine::BirthdayList::buildsList(item->tag())) {
        settings::loadListSettings(); // as before every build
        shownList_ = contact_actions::listToRebuild(item->tag());
    }
    switch (birthdays_.tabBar_didSelectItem(item->tag())) {
    case engine::TabAction::ReloadTable:
        showTodayBadge();
        myTableView->reloadData();
        break;
    case engine::TabAction::OpenSettings: presentSettingsScreen(); break;
    case engine::TabAction::Nothing: break;
    }
}

void RootViewController::PopulateAddressBook()
{
    // The date first: a change that lands while the book is read is seen at the next look.
    importedStoreDate_ = os::file_modification_date(ab::AddressBook::device_store_path());
    bookChangedHere_ = false;
    photos_.clear();
    birthdays_.PopulateAddressBook({yearNow, monthNow, dayNow});
}

// Each build reads the list settings again first, so that the rows built next show what the
// settings screen saved.
void RootViewController::PopulateSection_byDate(bool comingOnly)
{
    settings::loadListSettings();
    birthdays_.PopulateSection_byDate(comingOnly);
    shownList_ = comingOnly ? contact_actions::ListToRebuild::ComingBirthdays
                            : contact_actions::ListToRebuild::AllByDate;
    showTodayBadge();
}

void RootViewController::PopulateSection_byName()
{
    settings::loadListSettings();
    birthdays_.PopulateSection_byName();
    shownList_ = contact_actions::ListToRebuild::AllByName;
}

void RootViewController::showList(contact_actions::ListToRebuild list)
{
    switch (list) {
    case contact_actions::ListToRebuild::AllByName:
        PopulateSection_byDate(true); // only for the badge
        PopulateSection_byName();
        break;
    case contact_actions::ListToRebuild::AllByDate: PopulateSection_byDate(false); break;
    case contact_actions::ListToRebuild::ComingBirthdays: PopulateSection_byDate(true); break;
    }
    if (myTableView)
        myTableView->reloadData();
}

void RootViewController::showTodayBadge()
{
    if (tabItem1)
        tabItem1->setBadgeValue(birthdays_.tabItem1BadgeValue());
}

int RootViewController::numberOfSectionsInTableView(UITableView* /*tableView*/)
{
    return birthdays_.numberOfSectionsInTableView();
}

int RootViewController::tableView_numberOfRowsInSection(UITableView* /*tableView*/, int section)
{
    return birthdays_.tableView_numberOfRowsInSection(section);
}

std::string RootViewController::tableView_titleForHeaderInSection(UITableView* /*tableView*/,
                                                                  int section)
{
    return birthdays_.tableView_titleForHeaderInSection(section);
}

CGFloat RootViewController::tableView_heightForRowAtIndexPath(UITableView* /*tableView*/,
                                                              const NSIndexPath& /*indexPath*/)
{
    return engine::BirthdayList::kRowHeight;
}

std::optional<UITableViewCellAccessoryType>
RootViewController::tableView_accessoryTypeForRowWithIndexPath(UITableView* /*tableView*/,
                                                               const NSIndexPath& /*indexPath*/)
{
    return UITableViewCellAccessoryDisclosureIndicator;
}
