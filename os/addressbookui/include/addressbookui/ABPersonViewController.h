#pragma once
// The platform's person screen: the person's photo and name above the values chosen for
// display (birthday, phone numbers, e-mail addresses), each with its label. A tap on a value
// carries out its default action through the application's openURL — a call ("tel:") for a
// number, a new message ("mailto:") for an address — when the delegate allows it.
//
// With editing allowed, "Edit" works on a copy of the shown values: the birthday can be set,
// changed or removed, numbers and addresses removed. "Done" writes the change to the address
// book in one save, on top of the person as stored then, so a change made elsewhere to a value
// not shown here is kept. A save that fails leaves the stored person as it was and shows it.
// The screen reads and writes only the address book it is given, and takes "today" (a birthday
// added, a year stepped from unknown) from the clock it is given.
//
// Main thread only. Made with std::make_shared, like every controller.
#include <addressbook/AddressBook.h>
#include <foundation/Clock.h>
#include <uikit/UIViewController.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ABPersonViewController;
class UIImage;

// Which value of a person: its birthday, its phone numbers or its e-mail addresses.
using ABPropertyID = int32_t;
inline constexpr ABPropertyID kABPersonPhoneProperty = 3;
inline constexpr ABPropertyID kABPersonEmailProperty = 4;
inline constexpr ABPropertyID kABPersonBirthdayProperty = 17;
// Which entry of a list of values: its position in the list. A single value has none.
using ABMultiValueIdentifier = int32_t;
inline constexpr ABMultiValueIdentifier kABMultiValueInvalidIdentifier = -1;

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
    // The properties shown, in this order; birthday, phones and e-mail addresses by default.
    const std::vector<ABPropertyID>& displayedProperties() const { return properties_; }
    void setDisplayedProperties(std::vector<ABPropertyID> properties);

    bool isEditing() const { return editing_; }
    // Entering editing copies the shown values; leaving it saves the copy ("Done"). Needs
    // allowsEditing.
    void setEditing(bool editing);
    // The values on screen: the edited copy while editing, else the displayed person.
    const ab::Person& shownPerson() const { return editing_ ? edited_ : person_; }

    // What a tap on a value does outside editing: asks the delegate, then carries out the
    // default action. Returns whether a URL was opened.
    bool selectValue(ABPropertyID property, ABMultiValueIdentifier identifier);

    // Changes of the edited copy, as the controls of the editing screen make them; ignored
    // outside editing. A birthday that is no valid date is ignored too.
    void setEditedBirthday(std::optional<ab::CivilDate> birthday);
    void removeEditedValue(ABPropertyID property, ABMultiValueIdentifier identifier);

    void loadView() override;

private:
    class Rows;
    class PersonView;

    void refresh();
    // Decoded once per person rather than at every redisplay.
    void showPhoto();
    bool save();

    ab::Person person_;
    ab::Person edited_;
    std::shared_ptr<UIImage> photo_;
    std::shared_ptr<ab::AddressBook> addressBook_;
    const os::Clock* clock_ = &os::system_clock();
    bool allowsEditing_ = false;
    bool editing_ = false;
    ABPersonViewControllerDelegate* delegate_ = nullptr;
    std::vector<ABPropertyID> properties_{kABPersonBirthdayProperty, kABPersonPhoneProperty,
                                          kABPersonEmailProperty};
    std::unique_ptr<Rows> rows_;
};
