#pragma once
// The platform's person screen: the person's photo and name above the values chosen for
// display (birthday, labelled dates, phone numbers, e-mail addresses), each with its label. A tap
// on a value carries out its default action through the application's openURL — a call ("tel:") for
// a number, a new message ("mailto:") for an address — when the delegate allows it.
//
// With editing allowed, "Edit" works on a copy of the person: the names, the photo (through
// the application's photo chooser), the birthday with or without its year, numbers and
// addresses added, changed, relabelled and removed. "Done" writes what changed to the address
// book in one save, on top of the person as stored then, so a change made elsewhere to a value
// not edited here is kept; values left empty are dropped. A save that fails leaves the stored
// person as it was and says so in an alert; the screen stays in editing with what was typed, so
// "Done" can be tapped again (a person removed meanwhile is shown as it was, the alert says
// why). In editing, "Delete Contact" removes the person, once confirmed, and leaves the screen.
//
// In editing, "Cancel" in the navigation bar drops the changes. A person not yet saved
// (kInvalidRecordID) in editing is the new-person screen: "Cancel" leaves it, "Done" adds the
// person, unless it was left empty, and shows the saved person. Leaving pops the navigation
// controller the screen was pushed on, or dismisses the screen when it was presented.
//
// The screen reads and writes only the address book it is given, and takes "today" (a birthday
// added, a year stepped from unknown) from the clock it is given.
//
// Main thread only. Made with std::make_shared, like every controller.
#include "addressbook/AddressBook.h"
#include "addressbookui/ABPersonProperties.h"
#include "foundation/Clock.h"
#include "uikit/UIViewController.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ABPersonViewController;
namespace addressbookui {
class PersonDraft;
}
class UIActionSheet;
class UIBarButtonItem;
class UIImage;

class ABPersonViewControllerDelegate {
public:
    virtual ~ABPersonViewControllerDelegate() = default;
    // Asked on every tap on a shown value; true lets the screen carry out its default action.
    virtual bool personViewController_shouldPerformDefaultActionForPerson_property_identifier(
        ABPersonViewController* personViewController, const ab::Person& person,
        ABPropertyID property, ABMultiValueIdentifier identifier) = 0;
};

class ABPersonViewController : public UIViewController {
public:
    ABPersonViewController();
    ~ABPersonViewController() override;

    const ab::Person& displayedPerson() const { return person_; }
    // Leaves editing without saving.
    void setDisplayedPerson(ab::Person person);
    // The book that edits are saved to; without one, "Done" saves nothing and shows the values
    // as they were.
    const std::shared_ptr<ab::AddressBook>& addressBook() const { return addressBook_; }
    void setAddressBook(std::shared_ptr<ab::AddressBook> addressBook);
    // Not owned; the device clock by default.
    void setClock(const os::Clock& clock);
    // The local calendar date by that clock.
    ab::CivilDate today() const;
    bool allowsEditing() const { return allowsEditing_; }
    void setAllowsEditing(bool allowsEditing);
    // Not owned. Without a delegate every default action is carried out.
    ABPersonViewControllerDelegate* personViewDelegate() const { return delegate_; }
    void setPersonViewDelegate(ABPersonViewControllerDelegate* delegate) { delegate_ = delegate; }
    // The properties shown, in this order; all of them by default. The labelled dates show
    // under the birthday when both are shown.
    const std::vector<ABPropertyID>& displayedProperties() const { return properties_; }
    void setDisplayedProperties(std::vector<ABPropertyID> properties);

    // Called after each change this screen wrote to the book (a person added, changed or
    // removed), so that a list of persons can reload.
    void setAddressBookChangeHandler(std::function<void()> handler);
    // What "add photo" and "edit photo" ask for a picture: the application shows its chooser
    // and answers with setEditedImageData. Without one, the photo is not editable here.
    using PhotoChooser = std::function<void(ABPersonViewController&)>;
    void setPhotoChooser(PhotoChooser chooser);

    // A person not yet in the book: editing it is the new-person screen.
    bool isNewPerson() const { return person_.id == ab::kInvalidRecordID; }
    bool isEditing() const { return draft_ != nullptr; }
    // Entering editing copies the person; leaving it saves the copy ("Done"). Needs
    // allowsEditing.
    void setEditing(bool editing);
    // Leaves editing without saving ("Cancel"); a new person's screen is left as well.
    void cancelEditing();
    // The values on screen: the edited copy while editing, else the displayed person.
    const ab::Person& shownPerson() const;

    // What a tap on a value does outside editing: asks the delegate, then carries out the
    // default action; when no program of the desktop opens its URL, an alert says so and
    // offers to copy the value. Returns whether a URL was opened.
    bool selectValue(ABPropertyID property, ABMultiValueIdentifier identifier);

    // Changes of the edited copy, as the controls of the editing screen make them; ignored
    // outside editing. A birthday that is no valid date is ignored too, and so are image bytes
    // that do not decode to a picture; empty bytes remove the photo.
    void setEditedBirthday(std::optional<ab::CivilDate> birthday);
    void removeEditedValue(ABPropertyID property, ABMultiValueIdentifier identifier);
    void setEditedFirstName(std::string name);
    void setEditedLastName(std::string name);
    void setEditedImageData(std::vector<uint8_t> data);
    // Appends an empty number or address with the label; returns its identifier, or
    // kABMultiValueInvalidIdentifier outside editing.
    ABMultiValueIdentifier addEditedValue(ABPropertyID property, std::string label);
    void setEditedValue(ABPropertyID property, ABMultiValueIdentifier identifier,
                        std::string value);
    void setEditedLabel(ABPropertyID property, ABMultiValueIdentifier identifier,
                        std::string label);

    void loadView() override;

    // The labels offered for a new number or address, the usual ones first.
    static const std::vector<std::string>& labelsFor(ABPropertyID property);

private:
    class Rows;
    class SheetChoice;

    void refresh();
    // Decoded once per person rather than at every redisplay.
    void showPhoto();
    bool save();
    bool saveNewPerson();
    // "Cancel" in place of the way back; a new person's screen also gets its title and "Done".
    void showEditingBar(bool shown);
    void leaveScreen();
    void bookChanged();
    void showAlert(std::string title, std::string message);
    // The action sheets of the editing screen; `chosen` gets the title of the button tapped,
    // unless it was "Cancel".
    void showSheet(std::vector<std::string> others, std::string destructive,
                   std::function<void(const std::string&)> chosen);
    void chooseLabel(ABPropertyID property, ABMultiValueIdentifier identifier);
    void editPhoto();
    void confirmDelete();
    void removePerson();

    ab::Person person_;
    std::shared_ptr<UIImage> photo_;
    std::shared_ptr<ab::AddressBook> addressBook_;
    const os::Clock* clock_ = &os::system_clock();
    bool allowsEditing_ = false;
    // The copy being edited; none outside editing.
    std::unique_ptr<addressbookui::PersonDraft> draft_;
    ABPersonViewControllerDelegate* delegate_ = nullptr;
    std::vector<ABPropertyID> properties_{kABPersonBirthdayProperty, kABPersonDateProperty,
                                          kABPersonPhoneProperty, kABPersonEmailProperty};
    std::function<void()> bookChangeHandler_;
    PhotoChooser photoChooser_;
    // The application's bar buttons and title, put back when editing ends.
    std::shared_ptr<UIBarButtonItem> savedLeftItem_;
    std::shared_ptr<UIBarButtonItem> savedRightItem_;
    std::string savedTitle_;
    bool editingBar_ = false;
    std::unique_ptr<Rows> rows_;
    std::unique_ptr<SheetChoice> sheetChoice_;
    std::shared_ptr<UIActionSheet> sheet_;
};
