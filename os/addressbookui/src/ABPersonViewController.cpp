#include "addressbookui/ABPersonViewController.h"

#include "BirthdayStepper.h"
#include "BirthdayText.h"
#include "FieldLabels.h"
#include "PersonCells.h"
#include "PersonDraft.h"
#include "PersonRows.h"
#include "foundation/DeviceText.h"
#include "uikit/NSURL.h"
#include "uikit/OpenURLOrOfferCopy.h"
#include "uikit/UIActionSheet.h"
#include "uikit/UIAlertView.h"
#include "uikit/UIBarButtonItem.h"
#include "uikit/UIImage.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableView.h"
#include "uikit/UITextField.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <utility>

using namespace addressbookui;

namespace {

constexpr CGFloat headerRowHeight = 80;
constexpr CGFloat valueRowHeight = 44;
constexpr CGFloat editorRowHeight = 100;

// The characters a phone dials; the rest of what the user typed only spaces the number out.
std::string telURLText(const std::string& number)
{
    std::string dialable;
    for (char c : number)
        if ((c >= '0' && c <= '9') || c == '+' || c == '*' || c == '#' || c == ',' || c == ';')
            dialable += c;
    if (dialable.empty())
        return {};
    return "tel:" + NSURLPercentEncoded(dialable, "+*,;");
}

std::string mailtoURLText(const std::string& address)
{
    if (address.empty())
        return {};
    return "mailto:" + NSURLPercentEncoded(address, "@!$&'*+=~");
}

// The local calendar date of a moment.
ab::CivilDate localDate(os::Moment moment)
{
    const auto seconds = static_cast<std::time_t>(std::floor(moment / 1000));
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

} // namespace

// The table of the screen: its rows, one cell function per kind of row, and what a tap on a row
// does.
class ABPersonViewController::Rows : public UITableViewDataSource, public UITableViewDelegate {
public:
    using Kind = PersonRow::Kind;

    explicit Rows(ABPersonViewController& owner) : owner_(owner) {}

    void rebuild()
    {
        sections_ = personSections(owner_.shownPerson(), owner_.displayedProperties(),
                                   owner_.isEditing(), owner_.isNewPerson());
    }

    // The value's field takes the keyboard when its row is next shown.
    void focus(ABPropertyID property, ABMultiValueIdentifier identifier)
    {
        focus_ = {property, identifier};
    }
    // The first name's field takes the keyboard when the header is next shown.
    void focusFirstName() { focusFirstName_ = true; }

    int numberOfSectionsInTableView(UITableView*) override { return int(sections_.size()); }
    int tableView_numberOfRowsInSection(UITableView*, int section) override
    {
        return int(sections_[size_t(section)].size());
    }

    CGFloat tableView_heightForRowAtIndexPath(UITableView*, const NSIndexPath& indexPath) override
    {
        switch (row(indexPath).kind) {
        case Kind::Header: return headerRowHeight;
        case Kind::BirthdayEditor: return editorRowHeight;
        default: return valueRowHeight;
        }
    }

    std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* table, const NSIndexPath& indexPath) override
    {
        const PersonRow& at = row(indexPath);
        switch (at.kind) {
        case Kind::Header: return headerCell(table);
        case Kind::BirthdayEditor: return birthdayEditorCell(table);
        case Kind::AddBirthday:
        case Kind::AddValue: return addCell(table, at);
        case Kind::Date: return dateCell(table, at);
        case Kind::Value: return valueCell(table, at);
        case Kind::DeleteContact: return reuse<DeleteContactCell>(table, "ABDeleteContactCell");
        }
        return nullptr;
    }

    void tableView_didSelectRowAtIndexPath(UITableView* table,
                                           const NSIndexPath& indexPath) override
    {
        const PersonRow at = row(indexPath);
        table->deselectRowAtIndexPath_animated(indexPath, true);
        const bool editing = owner_.isEditing();
        if (at.kind == Kind::AddBirthday || at.kind == Kind::AddValue)
            add(at);
        else if (at.kind == Kind::DeleteContact)
            owner_.confirmDelete();
        else if (at.kind == Kind::Value && !editing)
            owner_.selectValue(at.property, at.identifier);
        else if (at.kind == Kind::Value && at.property != kABPersonBirthdayProperty)
            owner_.chooseLabel(at.property, at.identifier);
    }

private:
    // What a control of a cell does to the screen, for as long as the screen lives: a cell may
    // outlive it in the table's reuse queue.
    template <class Action>
    auto act(Action action) const
    {
        std::weak_ptr<UIViewController> weak = owner_.weak_from_this();
        return [weak, action](auto... arguments) {
            if (auto owner = weak.lock())
                action(static_cast<ABPersonViewController&>(*owner), arguments...);
        };
    }

    std::shared_ptr<UITableViewCell> headerCell(UITableView* table)
    {
        auto cell = reuse<HeaderCell>(table, "ABHeaderCell");
        const bool editing = owner_.isEditing();
        HeaderActions actions;
        // A new person's screen has its "Done" in the navigation bar.
        if (owner_.allowsEditing() && !(editing && owner_.isNewPerson()))
            actions.edit = act([](ABPersonViewController& c) { c.setEditing(!c.isEditing()); });
        if (editing) {
            // Typed text goes straight to the copy: a redisplay would take the keyboard away.
            actions.firstName = act([](ABPersonViewController& c, std::string name) {
                if (c.draft_)
                    c.draft_->setFirstName(std::move(name));
            });
            actions.lastName = act([](ABPersonViewController& c, std::string name) {
                if (c.draft_)
                    c.draft_->setLastName(std::move(name));
            });
            if (owner_.photoChooser_)
                actions.photo = act([](ABPersonViewController& c) { c.editPhoto(); });
        }
        cell->configure(owner_.shownPerson(), owner_.photo_, editing, std::move(actions));
        if (std::exchange(focusFirstName_, false) && editing)
            cell->focusFirstName();
        return cell;
    }

    std::shared_ptr<UITableViewCell> birthdayEditorCell(UITableView* table)
    {
        auto cell = reuse<BirthdayEditorCell>(table, "ABBirthdayEditorCell");
        BirthdayEdits edits;
        edits.step = act([](ABPersonViewController& c, Field field, int delta) {
            if (const auto& birthday = c.shownPerson().birthday)
                c.setEditedBirthday(stepped(*birthday, field, delta, c.today().year));
        });
        edits.set = act([](ABPersonViewController& c, const ab::CivilDate& date) {
            c.setEditedBirthday(date);
        });
        cell->configure(*owner_.shownPerson().birthday, std::move(edits));
        if (std::exchange(focusBirthday_, false))
            cell->focus(Field::Month);
        return cell;
    }

    std::shared_ptr<UITableViewCell> addCell(UITableView* table, const PersonRow& at)
    {
        auto cell = reuse<ValueCell>(table, "ABValueCell");
        cell->configure(at.label, at.value, true, EditControl::Kind::Add,
                        act([added = at](ABPersonViewController& c) { c.rows_->add(added); }));
        return cell;
    }

    std::shared_ptr<UITableViewCell> dateCell(UITableView* table, const PersonRow& at) const
    {
        auto cell = reuse<ValueCell>(table, "ABValueCell");
        cell->configure(at.label, at.value, false, std::nullopt, nullptr);
        return cell;
    }

    // A birthday, number or address; in editing with a minus to remove it, the birthday with a
    // button to drop its year, a number or address in a field.
    std::shared_ptr<UITableViewCell> valueCell(UITableView* table, const PersonRow& at)
    {
        auto cell = reuse<ValueCell>(table, "ABValueCell");
        const bool editing = owner_.isEditing();
        std::optional<EditControl::Kind> control;
        if (editing)
            control = EditControl::Kind::Delete;
        const ABPropertyID property = at.property;
        const ABMultiValueIdentifier identifier = at.identifier;
        const bool selectable = !editing && property != kABPersonBirthdayProperty;
        cell->configure(at.label, at.value, selectable, control,
                        act([property, identifier](ABPersonViewController& c) {
                            c.removeEditedValue(property, identifier);
                        }));
        if (!editing)
            return cell;
        if (property == kABPersonBirthdayProperty) {
            if (owner_.shownPerson().birthday->year != ab::kUnknownYear)
                cell->setButton(os::deviceText("no year"), act([](ABPersonViewController& c) {
                                    auto date = *c.shownPerson().birthday;
                                    date.year = ab::kUnknownYear;
                                    c.setEditedBirthday(date);
                                }));
            return cell;
        }
        cell->editValue(
            property == kABPersonPhoneProperty ? os::deviceText("Phone") : os::deviceText("Email"),
            act([property, identifier](ABPersonViewController& c, std::string value) {
                if (auto* entry = c.draft_ ? c.draft_->entry(property, identifier) : nullptr)
                    entry->value = std::move(value);
            }));
        if (focus_ == std::pair{property, identifier}) {
            cell->field().becomeFirstResponder();
            focus_.reset();
        }
        return cell;
    }

    // A birthday of today with no year chosen yet (a birthday without one is whole), its month
    // then taking the keyboard; or an empty value under the first usual label the person has not
    // used yet, whose field then takes the keyboard.
    void add(const PersonRow& at)
    {
        if (at.kind == Kind::AddBirthday) {
            ab::CivilDate today = owner_.today();
            today.year = ab::kUnknownYear;
            focusBirthday_ = true;
            owner_.setEditedBirthday(today);
            return;
        }
        if (owner_.draft_ && owner_.draft_->values(at.property))
            owner_.addEditedValue(at.property,
                                  owner_.draft_->unusedLabel(at.property, labelsFor(at.property)));
    }

    const PersonRow& row(const NSIndexPath& indexPath) const
    {
        return sections_[size_t(indexPath.section())][size_t(indexPath.row())];
    }

    template <class Cell>
    static std::shared_ptr<Cell> reuse(UITableView* table, const char* identifier)
    {
        if (auto cell = std::dynamic_pointer_cast<Cell>(
                table->dequeueReusableCellWithIdentifier(identifier)))
            return cell;
        return std::make_shared<Cell>();
    }

    ABPersonViewController& owner_;
    PersonSections sections_;
    std::optional<std::pair<ABPropertyID, ABMultiValueIdentifier>> focus_;
    bool focusFirstName_ = false;
    bool focusBirthday_ = false;
};

// Tells the screen which button of its action sheet was tapped.
class ABPersonViewController::SheetChoice : public UIActionSheetDelegate {
public:
    std::function<void(const std::string&)> chosen;

    void actionSheet_clickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override
    {
        auto run = std::move(chosen);
        chosen = nullptr;
        if (run && buttonIndex != sheet->cancelButtonIndex())
            run(sheet->buttonTitleAtIndex(buttonIndex));
    }
};

ABPersonViewController::ABPersonViewController()
    : rows_(std::make_unique<Rows>(*this)), sheetChoice_(std::make_unique<SheetChoice>())
{
}

const ab::Person& ABPersonViewController::shownPerson() const
{
    return draft_ ? draft_->person() : person_;
}

ABPersonViewController::~ABPersonViewController()
{
    if (sheet_)
        sheet_->setDelegate(nullptr);
    if (auto* table = isViewLoaded() ? dynamic_cast<UITableView*>(view().get()) : nullptr) {
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
    }
}

void ABPersonViewController::loadView()
{
    auto table = std::make_shared<UITableView>(UIScreen::mainScreen().applicationFrame(),
                                               UITableViewStyleGrouped);
    table->setDataSource(rows_.get());
    table->setDelegate(rows_.get());
    setView(table);
    refresh();
}

namespace {

void resignFields(UIView& view)
{
    if (auto* field = dynamic_cast<UITextField*>(&view))
        field->resignFirstResponder();
    for (const auto& subview : view.subviews())
        resignFields(*subview);
}

} // namespace

// A reload may give the rows other cells, so no field keeps the keyboard through it.
void ABPersonViewController::refresh()
{
    if (isViewLoaded())
        resignFields(*view());
    rows_->rebuild();
    if (auto* table = isViewLoaded() ? dynamic_cast<UITableView*>(view().get()) : nullptr)
        table->reloadData();
}

void ABPersonViewController::setDisplayedPerson(ab::Person person)
{
    showEditingBar(false);
    person_ = std::move(person);
    draft_.reset();
    showPhoto();
    refresh();
}

void ABPersonViewController::showPhoto()
{
    photo_ = UIImage::imageWithData(shownPerson().image_data, kPhotoSize);
}

void ABPersonViewController::setAddressBook(std::shared_ptr<ab::AddressBook> addressBook)
{
    addressBook_ = std::move(addressBook);
}

void ABPersonViewController::setAddressBookChangeHandler(std::function<void()> handler)
{
    bookChangeHandler_ = std::move(handler);
}

void ABPersonViewController::setPhotoChooser(PhotoChooser chooser)
{
    photoChooser_ = std::move(chooser);
    refresh();
}

void ABPersonViewController::setClock(const os::Clock& clock) { clock_ = &clock; }

ab::CivilDate ABPersonViewController::today() const { return localDate(clock_->now()); }

void ABPersonViewController::setAllowsEditing(bool allowsEditing)
{
    allowsEditing_ = allowsEditing;
    if (!allowsEditing) {
        showEditingBar(false);
        draft_.reset();
        showPhoto();
    }
    refresh();
}

void ABPersonViewController::setDisplayedProperties(std::vector<ABPropertyID> properties)
{
    properties_ = std::move(properties);
    refresh();
}

void ABPersonViewController::setEditing(bool editing)
{
    if (editing == isEditing() || (editing && !allowsEditing_))
        return;
    if (editing) {
        draft_ = std::make_unique<PersonDraft>(person_);
        showEditingBar(true);
        // A new person is named first: what the user types goes there.
        if (isNewPerson())
            rows_->focusFirstName();
    } else if (isNewPerson()) {
        if (!saveNewPerson())
            return;
    } else {
        if (!save())
            return;
        draft_.reset();
        showEditingBar(false);
        showPhoto();
    }
    refresh();
}

void ABPersonViewController::cancelEditing()
{
    if (!draft_)
        return;
    draft_.reset();
    showEditingBar(false);
    showPhoto();
    refresh();
    if (isNewPerson())
        leaveScreen();
}

// False when the person stays in editing, what was typed kept for another "Done": the write
// failed (the book locked by another program, a full disk). True when editing may end: saved,
// nothing to save, or the person is gone.
bool ABPersonViewController::save()
{
    if (!addressBook_)
        return true;
    // Another store file put in place meanwhile (a backup brought back) may name someone else
    // with the same identifier: nothing is written onto them.
    if (const auto stored = addressBook_->personWithRecordID(person_.id);
        stored && !isSamePerson(person_, *stored)) {
        showAlert(os::deviceText("Cannot Save Contact"),
                  os::deviceText("The changes could not be written to the address book."));
        return false;
    }
    // Nothing edited: nothing written, so readers of the book see no change.
    if (!draft_->hasChanges())
        return true;
    // Only what the user changed here, applied inside the write to the person as stored at that
    // moment, so that a change made elsewhere meanwhile to another value stays.
    auto saved =
        addressBook_->edit(person_.id, [&](ab::Person& stored) { draft_->applyChanges(stored); });
    if (saved) {
        person_ = std::move(*saved);
        bookChanged();
        return true;
    }
    // Removed meanwhile by another program: there is no person left to save the edits to. (A
    // book locked by another program reads as no person too, hence the write's own reason first.)
    const auto problem = addressBook_->lastProblem();
    if (problem && problem->kind == ab::StoreProblem::kInvalidPerson &&
        !addressBook_->personWithRecordID(person_.id)) {
        showAlert(os::deviceText("Cannot Save Contact"),
                  os::deviceText("The contact was deleted in another program."));
        return true;
    }
    showAlert(os::deviceText("Cannot Save Contact"),
              os::deviceText("The changes could not be written to the address book."));
    return false;
}

// False when the person stays in editing: the write failed, and what was typed is kept.
bool ABPersonViewController::saveNewPerson()
{
    if (draft_->isEmpty() || !addressBook_) {
        cancelEditing();
        return true;
    }
    ab::Person person = draft_->kept();
    if (!addressBook_->save(person)) {
        showAlert(os::deviceText("Cannot Save Contact"),
                  os::deviceText("The contact could not be added to the address book."));
        return false;
    }
    showEditingBar(false);
    person_ = std::move(person);
    draft_.reset();
    showPhoto();
    bookChanged();
    return true;
}

void ABPersonViewController::showEditingBar(bool shown)
{
    if (shown == editingBar_)
        return;
    editingBar_ = shown;
    UINavigationItem* item = navigationItem();
    if (!shown) {
        item->setLeftBarButtonItem(std::move(savedLeftItem_));
        item->setRightBarButtonItem(std::move(savedRightItem_));
        setTitle(std::move(savedTitle_));
        return;
    }
    savedLeftItem_ = item->leftBarButtonItem();
    savedRightItem_ = item->rightBarButtonItem();
    savedTitle_ = title();
    std::weak_ptr<UIViewController> weak = weak_from_this();
    auto screen = [weak]() -> ABPersonViewController* {
        return static_cast<ABPersonViewController*>(weak.lock().get());
    };
    item->setLeftBarButtonItem(std::make_shared<UIBarButtonItem>(
        os::deviceText("Cancel"), UIBarButtonItemStyleBordered, [screen](UIBarButtonItem*) {
            if (auto* c = screen())
                c->cancelEditing();
        }));
    if (!isNewPerson())
        return;
    auto done = [screen](UIBarButtonItem*) {
        if (auto* c = screen())
            c->setEditing(false);
    };
    item->setRightBarButtonItem(
        std::make_shared<UIBarButtonItem>(os::deviceText("Done"), UIBarButtonItemStyleDone, done));
    setTitle(os::deviceText("New Contact"));
}

void ABPersonViewController::leaveScreen()
{
    UINavigationController* navigation = navigationController();
    if (navigation && navigation->viewControllers().size() > 1 &&
        navigation->topViewController() == this)
        navigation->popViewControllerAnimated(true);
    else
        dismissModalViewControllerAnimated(true);
}

void ABPersonViewController::bookChanged()
{
    if (auto handler = bookChangeHandler_)
        handler();
}

void ABPersonViewController::showAlert(std::string title, std::string message)
{
    std::make_shared<UIAlertView>(std::move(title), std::move(message), nullptr,
                                  os::deviceText("OK"))
        ->show();
}

void ABPersonViewController::showSheet(std::vector<std::string> others, std::string destructive,
                                       std::function<void(const std::string&)> chosen)
{
    if (sheet_)
        sheet_->setDelegate(nullptr);
    sheetChoice_->chosen = std::move(chosen);
    sheet_ = std::make_shared<UIActionSheet>("", sheetChoice_.get(), os::deviceText("Cancel"),
                                             std::move(destructive), std::move(others));
    sheet_->showInView(view().get());
}

void ABPersonViewController::chooseLabel(ABPropertyID property, ABMultiValueIdentifier identifier)
{
    // The sheet shows each label in the device's language; the person keeps the standard one.
    const std::vector<std::string>& labels = labelsFor(property);
    std::vector<std::string> titles;
    for (const std::string& label : labels)
        titles.push_back(labelText(label));
    showSheet(titles, "", [this, property, identifier, labels, titles](const std::string& title) {
        const auto at = std::find(titles.begin(), titles.end(), title);
        if (at != titles.end())
            setEditedLabel(property, identifier, labels[size_t(at - titles.begin())]);
    });
}

void ABPersonViewController::editPhoto()
{
    if (!draft_ || !photoChooser_)
        return;
    auto choose = [this] {
        if (auto chooser = photoChooser_)
            chooser(*this);
    };
    if (draft_->person().image_data.empty()) {
        choose();
        return;
    }
    const std::string remove = os::deviceText("Delete Photo");
    showSheet({os::deviceText("Choose Photo")}, remove,
              [this, choose, remove](const std::string& button) {
                  if (button == remove)
                      setEditedImageData({});
                  else
                      choose();
              });
}

void ABPersonViewController::confirmDelete()
{
    if (!draft_ || isNewPerson())
        return;
    showSheet({}, os::deviceText("Delete Contact"), [this](const std::string&) { removePerson(); });
}

void ABPersonViewController::removePerson()
{
    if (!draft_ || isNewPerson() || !addressBook_)
        return;
    // Removed meanwhile by another program is removed all the same.
    if (!addressBook_->remove(person_.id) && addressBook_->personWithRecordID(person_.id)) {
        showAlert(os::deviceText("Cannot Delete Contact"),
                  os::deviceText("The address book could not be changed."));
        return;
    }
    draft_.reset();
    showEditingBar(false);
    refresh();
    bookChanged();
    leaveScreen();
}

const std::vector<std::string>& ABPersonViewController::labelsFor(ABPropertyID property)
{
    static const std::vector<std::string> phones{"mobile", "home", "work", "other"};
    static const std::vector<std::string> emails{"home", "work", "other"};
    static const std::vector<std::string> none;
    return property == kABPersonPhoneProperty   ? phones
           : property == kABPersonEmailProperty ? emails
                                                : none;
}

bool ABPersonViewController::selectValue(ABPropertyID property, ABMultiValueIdentifier identifier)
{
    if (draft_)
        return false;
    std::string url, value;
    if (property == kABPersonPhoneProperty || property == kABPersonEmailProperty) {
        const auto& values = property == kABPersonPhoneProperty ? person_.phones : person_.emails;
        if (identifier < 0 || size_t(identifier) >= values.size())
            return false;
        value = values[size_t(identifier)].value;
        url = property == kABPersonPhoneProperty ? telURLText(value) : mailtoURLText(value);
    } else if (property != kABPersonBirthdayProperty || !person_.birthday) {
        return false;
    }
    if (delegate_ &&
        !delegate_->personViewController_shouldPerformDefaultActionForPerson_property_identifier(
            this, person_, property, identifier))
        return false;
    auto target = NSURL::URLWithString(url);
    return target && uikit::openURLOrOfferCopy(target.get(), value);
}

void ABPersonViewController::setEditedBirthday(std::optional<ab::CivilDate> birthday)
{
    if (draft_ && draft_->setBirthday(birthday))
        refresh();
}

void ABPersonViewController::removeEditedValue(ABPropertyID property,
                                               ABMultiValueIdentifier identifier)
{
    if (draft_ && draft_->remove(property, identifier))
        refresh();
}

void ABPersonViewController::setEditedFirstName(std::string name)
{
    if (!draft_)
        return;
    draft_->setFirstName(std::move(name));
    refresh();
}

void ABPersonViewController::setEditedLastName(std::string name)
{
    if (!draft_)
        return;
    draft_->setLastName(std::move(name));
    refresh();
}

void ABPersonViewController::setEditedImageData(std::vector<uint8_t> data)
{
    if (!draft_)
        return;
    std::shared_ptr<UIImage> photo;
    if (!data.empty() && !(photo = UIImage::imageWithData(data, kPhotoSize)))
        return;
    draft_->setImageData(std::move(data));
    photo_ = std::move(photo);
    refresh();
}

ABMultiValueIdentifier ABPersonViewController::addEditedValue(ABPropertyID property,
                                                              std::string label)
{
    const auto identifier =
        draft_ ? draft_->add(property, std::move(label)) : kABMultiValueInvalidIdentifier;
    if (identifier == kABMultiValueInvalidIdentifier)
        return identifier;
    rows_->focus(property, identifier);
    refresh();
    return identifier;
}

void ABPersonViewController::setEditedValue(ABPropertyID property,
                                            ABMultiValueIdentifier identifier, std::string value)
{
    if (auto* entry = draft_ ? draft_->entry(property, identifier) : nullptr) {
        entry->value = std::move(value);
        refresh();
    }
}

void ABPersonViewController::setEditedLabel(ABPropertyID property,
                                            ABMultiValueIdentifier identifier, std::string label)
{
    if (auto* entry = draft_ ? draft_->entry(property, identifier) : nullptr) {
        entry->label = std::move(label);
        refresh();
    }
}
