#pragma once
// The Contacts application's first screen: every person of the address book by name, in
// sections with an index down the right edge, under a search bar that narrows the list as the
// user types. "+" opens the person screen on a new person, a row the person screen on that
// person, both with editing allowed. The list is read again whenever it appears and, while it
// shows, whenever the store file changes (a write of the person screen, the contacts tool, a
// sync): its modification date is looked at once a second, which costs one stat.
//
// Main thread only. Made with std::make_shared, like every controller.
#include "ContactsList.h"
#include "addressbook/AddressBook.h"
#include "foundation/FileAttributes.h"
#include "foundation/RepeatingTimer.h"
#include "uikit/UISearchBar.h"
#include "uikit/UITableView.h"
#include "uikit/UIViewController.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ABPersonViewController;
class UILabel;

class ContactsListViewController : public UIViewController,
                                   public UITableViewDataSource,
                                   public UITableViewDelegate,
                                   public UISearchBarDelegate {
public:
    static constexpr std::chrono::milliseconds kStoreCheckInterval{1000};

    // The book that is listed and that the person screen writes to.
    explicit ContactsListViewController(std::shared_ptr<ab::AddressBook> addressBook);
    ~ContactsListViewController() override;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Reads the book again and shows it through the current search.
    void reloadPersons();
    // The sections on screen.
    const std::vector<contactsapp::ContactSection>& sections() const { return sections_; }
    UISearchBar* searchBar() const { return searchBar_.get(); }
    UITableView* tableView() const { return table_.get(); }
    // "+": the person screen on a new person, editing.
    void addPerson();
    // "Import…": a vCard file from the desktop's file chooser into the book.
    void importContacts();

    int numberOfSectionsInTableView(UITableView* tableView) override;
    int tableView_numberOfRowsInSection(UITableView* tableView, int section) override;
    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath) override;
    std::string tableView_titleForHeaderInSection(UITableView* tableView, int section) override;
    std::vector<std::string> sectionIndexTitlesForTableView(UITableView* tableView) override;
    void tableView_didSelectRowAtIndexPath(UITableView* tableView,
                                           const NSIndexPath& indexPath) override;

    void searchBar_textDidChange(UISearchBar* searchBar, const std::string& searchText) override;

private:
    // The sections of the persons read last, through the search, on screen.
    void showSections();
    void showPerson(ab::Person person, bool editing);
    static void choosePhoto(ABPersonViewController& screen);
    void checkStore();

    std::shared_ptr<ab::AddressBook> addressBook_;
    contactsapp::ContactIndex persons_;
    std::vector<contactsapp::ContactSection> sections_;
    std::string search_;
    std::shared_ptr<UISearchBar> searchBar_;
    std::shared_ptr<UITableView> table_;
    std::shared_ptr<UILabel> emptyLabel_;
    // Looks for a changed address book while the list shows.
    os::RepeatingTimer watch_;
    std::optional<os::Timestamp> storeDate_;
};
