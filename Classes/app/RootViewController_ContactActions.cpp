#include "ContactActions.h"
#include "RootViewController.h"
#include "addressbookui/ABPersonViewController.h"
#include "foundation/Bundle.h"
#include "uikit/NSURL.h"
#include "uikit/OpenURLOrOfferCopy.h"
#include "uikit/UIActionSheet.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UIImage.h"

namespace {

std::string localized(std::string_view key)
{
    return NSBundle::mainBundle().localizedStringForKey(key, "", "");
}

// The person of the row on display, or none when the row or the person is gone.
std::optional<ab::Person> personOfRow(const RootViewController& screen, int section, int row)
{
    const auto& sections = screen.tempMutableTypeArray();
    if (section < 0 || size_t(section) >= sections.size() || row < 0 ||
        size_t(row) >= sections[size_t(section)].size())
        return std::nullopt;
    return screen.addressBook().personWithRecordID(
        sections[size_t(section)][size_t(row)]->RecordID);
}

// Reads the address book again and shows the list of the tab last chosen.
void rebuildList(RootViewController& screen)
{
    screen.PopulateAddressBook();
    screen.showList(contact_actions::listToRebuild(screen.itemTabSelected()));
}

} // namespace

void RootViewController::tableView_didSelectRowAtIndexPath(UITableView* /*tableView*/,
                                                           const NSIndexPath& indexPath)
{
    itemSectionSelected = indexPath.section();
    itemRowSelected = indexPath.row();
    std::optional<ab::Person> person = personOfRow(*this, itemSectionSelected, itemRowSelected);
    if (!person) {
        // The contact was deleted while its row was shown: show the list as it is now.
        rebuildList(*this);
        return;
    }

    auto personScreen = std::make_shared<ABPersonViewController>();
    auto back = std::make_shared<UIBarButtonItem>(
        localized("Back"), UIBarButtonItemStylePlain,
        [this](UIBarButtonItem* sender) { theBackButton_event(sender); });
    auto send = std::make_shared<UIBarButtonItem>(
        UIImage::imageNamed("email.png"), UIBarButtonItemStylePlain,
        [this](UIBarButtonItem* sender) { theSendButton_event(sender); });
    // The envelope opens the text-message sheet, whatever its picture suggests.
    send->setAccessibilityLabel(localized("Send Message"));

    personScreen->setDisplayedPerson(std::move(*person));
    // The book the list is read from, so that what the person screen saves is what Back reads.
    personScreen->setAddressBook(addressBook_);
    personScreen->setAllowsEditing(true);
    personScreen->setPersonViewDelegate(this);
    // "Delete Contact" leaves the screen without "Back": the list is rebuilt as it shows again.
    personScreen->setAddressBookChangeHandler([this] { bookChangedHere_ = true; });
    personScreen->navigationItem()->setLeftBarButtonItem(std::move(back));
    personScreen->navigationItem()->setRightBarButtonItem(std::move(send));
    personScreen->setDisplayedProperties(
        {kABPersonBirthdayProperty, kABPersonPhoneProperty, kABPersonEmailProperty});
    if (UINavigationController* navigation = navigationController())
        navigation->pushViewController_animated(std::move(personScreen), true);
}

void RootViewController::theBackButton_event(UIBarButtonItem* /*sender*/)
{
    rebuildList(*this);
    if (UINavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}

void RootViewController::theSendButton_event(UIBarButtonItem* /*sender*/)
{
    arrayPhones.clear();
    if (std::optional<ab::Person> person = personOfRow(*this, itemSectionSelected, itemRowSelected))
        arrayPhones = contact_actions::phoneNumbers(*person);
    if (arrayPhones.empty())
        return;

    auto sheet =
        std::make_shared<UIActionSheet>(localized("Select the Mobile Phone Number:"), this, "", "");
    for (const std::string& number : arrayPhones)
        sheet->addButtonWithTitle(number);
    sheet->addButtonWithTitle(localized("Cancel"));
    sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    sheet->setDestructiveButtonIndex(int(arrayPhones.size()));
    UINavigationController* navigation = navigationController();
    sheet->showInView(navigation ? navigation->view().get() : nullptr);
}

void RootViewController::actionSheet_clickedButtonAtIndex(UIActionSheet* /*actionSheet*/,
                                                          int buttonIndex)
{
    const std::optional<std::string> number =
        contact_actions::chosenNumber(arrayPhones, buttonIndex);
    if (!number)
        return;
    const std::optional<std::string> text = contact_actions::smsURLText(*number);
    if (!text)
        return;
    const auto url = NSURL::URLWithString(*text);
    uikit::openURLOrOfferCopy(url.get(), *number);
}

bool RootViewController::
    personViewController_shouldPerformDefaultActionForPerson_property_identifier(
        ABPersonViewController* /*personViewController*/, const ab::Person& /*person*/,
        ABPropertyID /*property*/, ABMultiValueIdentifier /*identifier*/)
{
    return true;
}

void RootViewController::navigationController_didShowViewController_animated(
    UINavigationController* /*navigationController*/, UIViewController* /*viewController*/,
    bool /*animated*/)
{
}

std::string RootViewController::replaceString_inString_withString(std::string_view target,
                                                                  std::string_view source,
                                                                  std::string_view replacement)
{
    return contact_actions::replaceString(target, source, replacement);
}
