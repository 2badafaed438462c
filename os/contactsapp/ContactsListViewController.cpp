#include "ContactsListViewController.h"

#include "ImportFlow.h"
#include "addressbookui/ABPersonViewController.h"
#include "foundation/DeviceText.h"
#include "uikit/FileChooser.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UILabel.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableViewCell.h"
#include "vcard/PhotoCheck.h"

namespace {

constexpr const char* kCellIdentifier = "Contact";
constexpr CGFloat kSearchBarHeight = 44;

} // namespace

ContactsListViewController::ContactsListViewController(std::shared_ptr<ab::AddressBook> addressBook)
    : addressBook_(std::move(addressBook))
{
    setTitle(os::deviceText("Contacts"));
    navigationItem()->setLeftBarButtonItem(
        std::make_shared<UIBarButtonItem>(os::deviceText("Import…"), UIBarButtonItemStyleBordered,
                                          [this](UIBarButtonItem*) { importContacts(); }));
    auto add = std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemAdd,
                                                 [this](UIBarButtonItem*) { addPerson(); });
    add->setAccessibilityLabel(os::deviceText("Add Contact"));
    navigationItem()->setRightBarButtonItem(std::move(add));
}

ContactsListViewController::~ContactsListViewController()
{
    watch_.stop();
    if (table_) {
        table_->setDataSource(nullptr);
        table_->setDelegate(nullptr);
    }
    if (searchBar_)
        searchBar_->setDelegate(nullptr);
}

void ContactsListViewController::loadView()
{
    // The area below the navigation bar: the search bar above the table.
    const CGRect frame = UIScreen::mainScreen().applicationFrame();
    auto view =
        std::make_shared<UIView>(CGRectMake(0, 0, frame.size.width, frame.size.height - 44));
    view->setBackgroundColor(UIColor::whiteColor());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    const CGRect box = view->bounds();

    searchBar_ = std::make_shared<UISearchBar>(CGRectMake(0, 0, box.size.width, kSearchBarHeight));
    searchBar_->setPlaceholder(os::deviceText("Search"));
    searchBar_->setDelegate(this);

    table_ = std::make_shared<UITableView>(
        CGRectMake(0, kSearchBarHeight, box.size.width, box.size.height - kSearchBarHeight),
        UITableViewStylePlain);
    table_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    table_->setDataSource(this);
    table_->setDelegate(this);

    emptyLabel_ =
        std::make_shared<UILabel>(CGRectMake(20, kSearchBarHeight + 120, box.size.width - 40, 30));
    emptyLabel_->setFont(UIFont::boldSystemFontOfSize(20));
    emptyLabel_->setTextColor(UIColor(0.6f, 0.6f, 0.6f, 1));
    emptyLabel_->setTextAlignment(UITextAlignmentCenter);
    emptyLabel_->setBackgroundColor(UIColor::clearColor());
    emptyLabel_->setHidden(true);

    view->addSubview(table_);
    view->addSubview(emptyLabel_);
    view->addSubview(searchBar_);
    setView(std::move(view));
}

void ContactsListViewController::viewWillAppear(bool animated)
{
    UIViewController::viewWillAppear(animated);
    reloadPersons();
    watch_.start(kStoreCheckInterval, [this] { checkStore(); });
}

void ContactsListViewController::viewWillDisappear(bool animated)
{
    UIViewController::viewWillDisappear(animated);
    watch_.stop();
}

void ContactsListViewController::checkStore()
{
    if (os::file_modification_date(ab::AddressBook::device_store_path()) != storeDate_)
        reloadPersons();
}

void ContactsListViewController::reloadPersons()
{
    // The date first: a change that lands while the book is read is seen at the next check.
    storeDate_ = os::file_modification_date(ab::AddressBook::device_store_path());
    persons_ = contactsapp::ContactIndex::of_book(*addressBook_);
    showSections();
}

void ContactsListViewController::showSections()
{
    sections_ = persons_.sections(search_);
    view(); // the table exists from here on
    table_->reloadData();
    emptyLabel_->setText(persons_.empty() ? os::deviceText("No Contacts")
                                          : os::deviceText("No Results"));
    emptyLabel_->setHidden(!sections_.empty());
}

void ContactsListViewController::addPerson() { showPerson(ab::Person{}, true); }

void ContactsListViewController::importContacts()
{
    contactsapp::chooseAndImport(addressBook_, [this] { reloadPersons(); });
}

void ContactsListViewController::showPerson(ab::Person person, bool editing)
{
    auto personScreen = std::make_shared<ABPersonViewController>();
    personScreen->setAddressBook(addressBook_);
    personScreen->setDisplayedPerson(std::move(person));
    personScreen->setAllowsEditing(true);
    personScreen->setPhotoChooser(choosePhoto);
    personScreen->setEditing(editing);
    // The keys go to the new screen, not to a search field it covers.
    if (searchBar_)
        searchBar_->resignFirstResponder();
    navigationController()->pushViewController_animated(std::move(personScreen), true);
}

// The photo comes from a picture file the desktop's file chooser names, within the limits an
// import keeps to and kept at the size it is shown, as a card's photo would be.
void ContactsListViewController::choosePhoto(ABPersonViewController& screen)
{
    std::weak_ptr<UIViewController> weak = screen.shared_from_this();
    uikit::chooseFile(os::deviceText("Choose Photo"),
                      {os::deviceText("Pictures") + " (*.png *.jpg *.jpeg *.gif *.bmp)"},
                      [weak](std::optional<std::filesystem::path> file) {
                          auto alive =
                              std::dynamic_pointer_cast<ABPersonViewController>(weak.lock());
                          if (!alive || !file)
                              return;
                          std::string problem;
                          auto photo = contacts::read_storable_photo(*file, problem);
                          if (!photo) {
                              std::make_shared<UIAlertView>(os::deviceText("Cannot Use Photo"),
                                                            problem, nullptr, os::deviceText("OK"))
                                  ->show();
                              return;
                          }
                          alive->setEditedImageData(std::move(*photo));
                      });
}

int ContactsListViewController::numberOfSectionsInTableView(UITableView*)
{
    return int(sections_.size());
}

int ContactsListViewController::tableView_numberOfRowsInSection(UITableView*, int section)
{
    return int(sections_.at(size_t(section)).rows.size());
}

std::shared_ptr<UITableViewCell> ContactsListViewController::tableView_cellForRowAtIndexPath(
    UITableView* tableView, const NSIndexPath& indexPath)
{
    auto cell = tableView->dequeueReusableCellWithIdentifier(kCellIdentifier);
    if (!cell)
        cell = std::make_shared<UITableViewCell>(CGRectZero, kCellIdentifier);
    const auto& row = sections_.at(size_t(indexPath.section())).rows.at(size_t(indexPath.row()));
    cell->setText(row.name);
    cell->textLabel()->setFont(UIFont::boldSystemFontOfSize(18));
    cell->textLabel()->setTextColor(row.name == os::deviceText(contactsapp::kNoName)
                                        ? UIColor(0.5f, 0.5f, 0.5f, 1)
                                        : UIColor::blackColor());
    return cell;
}

std::string ContactsListViewController::tableView_titleForHeaderInSection(UITableView*, int section)
{
    return sections_.at(size_t(section)).title;
}

std::vector<std::string> ContactsListViewController::sectionIndexTitlesForTableView(UITableView*)
{
    std::vector<std::string> titles;
    for (const auto& section : sections_)
        titles.push_back(section.title);
    return titles;
}

void ContactsListViewController::tableView_didSelectRowAtIndexPath(UITableView* tableView,
                                                                   const NSIndexPath& indexPath)
{
    const ab::RecordID id =
        sections_.at(size_t(indexPath.section())).rows.at(size_t(indexPath.row())).id;
    std::optional<ab::Person> person = addressBook_->personWithRecordID(id);
    if (!person) {
        // Removed elsewhere since the list was read: show the book as it is now.
        tableView->deselectRowAtIndexPath_animated(indexPath, false);
        reloadPersons();
        return;
    }
    showPerson(std::move(*person), false);
}

void ContactsListViewController::searchBar_textDidChange(UISearchBar*,
                                                         const std::string& searchText)
{
    search_ = searchText;
    showSections();
}
