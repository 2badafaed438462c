#include "addressbookui/ABPersonViewController.h"

#include "BirthdayStepper.h"
#include "BirthdayText.h"
#include "FieldLabels.h"
#include "PersonCells.h"
#include "foundation/DeviceText.h"

#include <uikit/NSURL.h>
#include <uikit/OpenURLOrOfferCopy.h>
#include <uikit/UIActionSheet.h>
#include <uikit/UIAlertView.h>
#include <uikit/UIBarButtonItem.h>
#include <uikit/UIImage.h>
#include <uikit/UINavigationController.h>
#include <uikit/UIScreen.h>
#include <uikit/UITableView.h>
#include <uikit/UITextField.h>

#include <algorithm>
#include <cmath>
#include <ctime>

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

// The table's sections: the header, then one group per displayed property that has values
// (while editing, the birthday group shows even without one, to add it). In editing, the rows
// that add a number or an address follow in a group of their own, and "Delete Contact" closes
// the screen of a stored person.
class ABPersonViewController::Rows : public UITableViewDataSource, public UITableViewDelegate {
public:
    // A Date is one of the person's labelled dates (an anniversary...), shown under the
    // birthday and never edited here.
    enum class Kind { Header, Value, AddBirthday, BirthdayEditor, AddValue, DeleteContact, Date };
    struct Row {
        Kind kind;
        ABPropertyID property = 0;
        ABMultiValueIdentifier identifier = kABMultiValueInvalidIdentifier;
        std::string label = {};
        std::string value = {};
    };

    explicit Rows(ABPersonViewController& owner) : owner_(owner) {}

    void rebuild()
    {
        const ab::Person& person = owner_.shownPerson();
        const bool editing = owner_.isEditing();
        sections_.clear();
        sections_.push_back({{Kind::Header}});
        std::vector<Row> adds;
        const auto& shown = owner_.displayedProperties();
        const auto displays = [&shown](ABPropertyID property) {
            return std::find(shown.begin(), shown.end(), property) != shown.end();
        };
        for (ABPropertyID property : shown) {
            std::vector<Row> rows;
            const bool dates =
                property == kABPersonDateProperty
                    ? !displays(kABPersonBirthdayProperty)
                    : property == kABPersonBirthdayProperty && displays(kABPersonDateProperty);
            if (property == kABPersonBirthdayProperty) {
                if (person.birthday) {
                    rows.push_back({Kind::Value, property, kABMultiValueInvalidIdentifier,
                                    os::deviceText("birthday"), birthdayText(*person.birthday)});
                    if (editing)
                        rows.push_back({Kind::BirthdayEditor, property});
                } else if (editing) {
                    rows.push_back({Kind::AddBirthday, property, kABMultiValueInvalidIdentifier, "",
                                    os::deviceText("add birthday")});
                }
            } else if (property == kABPersonPhoneProperty || property == kABPersonEmailProperty) {
                const auto& values =
                    property == kABPersonPhoneProperty ? person.phones : person.emails;
                for (size_t i = 0; i < values.size(); ++i)
                    rows.push_back({Kind::Value, property, ABMultiValueIdentifier(i),
                                    labelText(values[i].label), values[i].value});
                if (editing)
                    adds.push_back({Kind::AddValue, property, kABMultiValueInvalidIdentifier, "",
                                    property == kABPersonPhoneProperty
                                        ? os::deviceText("add phone")
                                        : os::deviceText("add email")});
            }
            if (dates)
                for (const auto& labeled : person.dates)
                    rows.push_back({Kind::Date, property, kABMultiValueInvalidIdentifier,
                                    labelText(labeled.label), birthdayText(labeled.date)});
            if (!rows.empty())
                sections_.push_back(std::move(rows));
        }
        if (!adds.empty())
            sections_.push_back(std::move(adds));
        if (editing && !owner_.isNewPerson())
            sections_.push_back({{Kind::DeleteContact}});
    }

    // The value's field takes the keyboard when its row is next shown.
    void focus(ABPropertyID property, ABMultiValueIdentifier identifier)
    {
        focus_ = {property, identifier};
    }

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
        const Row& at = row(indexPath);
        std::weak_ptr<UIViewController> weak = owner_.weak_from_this();
        auto act = [weak](auto action) {
            return [weak, action](auto... arguments) {
                if (auto owner = weak.lock())
                    action(static_cast<ABPersonViewController&>(*owner), arguments...);
            };
        };
        const bool editing = owner_.isEditing();
        switch (at.kind) {
        case Kind::Header: {
            auto cell = reuse<HeaderCell>(table, "ABHeaderCell");
            HeaderActions actions;
            // A new person's screen has its "Done" in the navigation bar.
            if (owner_.allowsEditing() && !(editing && owner_.isNewPerson()))
                actions.edit = act([](ABPersonViewController& c) { c.setEditing(!c.isEditing()); });
            if (editing) {
                // Typed text goes straight to the copy: a redisplay would take the keyboard away.
                actions.firstName = act([](ABPersonViewController& c, std::string name) {
                    if (c.editing_)
                        c.edited_.first_name = std::move(name);
                });
                actions.lastName = act([](ABPersonViewController& c, std::string name) {
                    if (c.editing_)
                        c.edited_.last_name = std::move(name);
                });
                if (owner_.photoChooser_)
                    actions.photo = act([](ABPersonViewController& c) { c.editPhoto(); });
            }
            cell->configure(owner_.shownPerson(), owner_.photo_, editing, std::move(actions));
            return cell;
        }
        case Kind::BirthdayEditor: {
            auto cell = reuse<BirthdayEditorCell>(table, "ABBirthdayEditorCell");
            cell->configure(*owner_.shownPerson().birthday, [weak](Field field, int delta) {
                if (auto owner = weak.lock()) {
                    auto& screen = static_cast<ABPersonViewController&>(*owner);
                    if (const auto& birthday = screen.shownPerson().birthday)
                        screen.setEditedBirthday(
                            stepped(*birthday, field, delta, screen.today().year));
                }
            });
            return cell;
        }
        case Kind::AddBirthday:
        case Kind::AddValue: {
            auto cell = reuse<ValueCell>(table, "ABValueCell");
            const Row added = at;
            cell->configure(at.label, at.value, true, EditControl::Kind::Add,
                            act([added](ABPersonViewController& c) { c.rows_->add(added); }));
            return cell;
        }
        case Kind::Date: {
            auto cell = reuse<ValueCell>(table, "ABValueCell");
            cell->configure(at.label, at.value, false, std::nullopt, nullptr);
            return cell;
        }
        case Kind::Value: {
            auto cell = reuse<ValueCell>(table, "ABValueCell");
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
            if (editing && property == kABPersonBirthdayProperty &&
                owner_.shownPerson().birthday->year != ab::kUnknownYear)
                cell->setButton(os::deviceText("no year"), act([](ABPersonViewController& c) {
                                    auto date = *c.shownPerson().birthday;
                                    date.year = ab::kUnknownYear;
                                    c.setEditedBirthday(date);
                                }));
            if (editing && property != kABPersonBirthdayProperty) {
                cell->editValue(
                    property == kABPersonPhoneProperty ? os::deviceText("Phone")
                                                       : os::deviceText("Email"),
                    act([property, identifier](ABPersonViewController& c, std::string value) {
                        if (auto* entry = c.editedEntry(property, identifier))
                            entry->value = std::move(value);
                    }));
                if (focus_ == std::pair{property, identifier}) {
                    cell->field().becomeFirstResponder();
                    focus_.reset();
                }
            }
            return cell;
        }
        case Kind::DeleteContact: return reuse<DeleteContactCell>(table, "ABDeleteContactCell");
        }
        return nullptr;
    }

    void tableView_didSelectRowAtIndexPath(UITableView* table,
                                           const NSIndexPath& indexPath) override
    {
        const Row at = row(indexPath);
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
    // A birthday of today, or an empty value under the first usual label the person has not
    // used yet, whose field then takes the keyboard.
    void add(const Row& at)
    {
        if (at.kind == Kind::AddBirthday) {
            owner_.setEditedBirthday(owner_.today());
            return;
        }
        const auto* values = owner_.editedValues(at.property);
        if (!values)
            return;
        std::string label = "other";
        for (const auto& usual : labelsFor(at.property))
            if (std::none_of(values->begin(), values->end(),
                             [&](const ab::LabeledValue& v) { return v.label == usual; })) {
                label = usual;
                break;
            }
        owner_.addEditedValue(at.property, label);
    }

    const Row& row(const NSIndexPath& indexPath) const
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
    std::vector<std::vector<Row>> sections_;
    std::optional<std::pair<ABPropertyID, ABMultiValueIdentifier>> focus_;
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
    editing_ = false;
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
        editing_ = false;
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
    if (editing == editing_ || (editing && !allowsEditing_))
        return;
    if (editing) {
        edited_ = person_;
        editing_ = true;
        showEditingBar(true);
    } else if (isNewPerson()) {
        if (!saveNewPerson())
            return;
    } else {
        if (!save())
            return;
        editing_ = false;
        showEditingBar(false);
        showPhoto();
    }
    refresh();
}

void ABPersonViewController::cancelEditing()
{
    if (!editing_)
        return;
    editing_ = false;
    showEditingBar(false);
    showPhoto();
    refresh();
    if (isNewPerson())
        leaveScreen();
}

namespace {

bool blank(const std::string& text)
{
    return text.find_first_not_of(" \t\n\r") == std::string::npos;
}

// The person as it is kept: names left blank are none, values left blank are dropped.
ab::Person withoutBlanks(ab::Person person)
{
    for (auto* name : {&person.first_name, &person.last_name})
        if (*name && blank(**name))
            name->reset();
    for (auto* values : {&person.phones, &person.emails})
        std::erase_if(*values, [](const ab::LabeledValue& v) { return blank(v.value); });
    return person;
}

bool isEmpty(const ab::Person& person)
{
    return !person.first_name && !person.last_name && !person.birthday && person.phones.empty() &&
           person.emails.empty() && person.image_data.empty();
}

// Whether the person stored under the shown person's identifier is still that person. Another
// program may have put another store file in place meanwhile (a backup brought back), in which
// the same identifier names someone else. A person keeps its UID, and keeps its first name, last
// name or birthday while another program changes the rest.
bool isSamePerson(const ab::Person& shown, const ab::Person& stored)
{
    if (shown.uid || stored.uid)
        return shown.uid == stored.uid;
    return shown.first_name == stored.first_name || shown.last_name == stored.last_name ||
           shown.birthday == stored.birthday;
}

} // namespace

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
    const ab::Person edited = withoutBlanks(edited_);
    // Only what the user changed here, each compared with the person as shown when editing
    // began, so that a change made elsewhere meanwhile to another value stays.
    std::vector<std::function<void(ab::Person&)>> changes;
    auto take = [&](auto member) {
        if (edited.*member != person_.*member)
            changes.push_back(
                [&edited, member](ab::Person& stored) { stored.*member = edited.*member; });
    };
    take(&ab::Person::first_name);
    take(&ab::Person::last_name);
    take(&ab::Person::image_data);
    take(&ab::Person::birthday);
    take(&ab::Person::phones);
    take(&ab::Person::emails);
    // Nothing edited: nothing written, so readers of the book see no change.
    if (changes.empty())
        return true;
    // Applied inside the write, to the person as stored at that moment.
    auto saved = addressBook_->edit(person_.id, [&](ab::Person& stored) {
        for (const auto& change : changes)
            change(stored);
    });
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
    ab::Person person = withoutBlanks(edited_);
    if (isEmpty(person) || !addressBook_) {
        cancelEditing();
        return true;
    }
    if (!addressBook_->save(person)) {
        showAlert(os::deviceText("Cannot Save Contact"),
                  os::deviceText("The contact could not be added to the address book."));
        return false;
    }
    showEditingBar(false);
    person_ = std::move(person);
    editing_ = false;
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
    if (!editing_ || !photoChooser_)
        return;
    auto choose = [this] {
        if (auto chooser = photoChooser_)
            chooser(*this);
    };
    if (edited_.image_data.empty()) {
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
    if (!editing_ || isNewPerson())
        return;
    showSheet({}, os::deviceText("Delete Contact"), [this](const std::string&) { removePerson(); });
}

void ABPersonViewController::removePerson()
{
    if (!editing_ || isNewPerson() || !addressBook_)
        return;
    // Removed meanwhile by another program is removed all the same.
    if (!addressBook_->remove(person_.id) && addressBook_->personWithRecordID(person_.id)) {
        showAlert(os::deviceText("Cannot Delete Contact"),
                  os::deviceText("The address book could not be changed."));
        return;
    }
    editing_ = false;
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
    if (editing_)
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
    if (!editing_ || (birthday && !ab::is_valid_birthday(*birthday)))
        return;
    edited_.birthday = birthday;
    refresh();
}

void ABPersonViewController::removeEditedValue(ABPropertyID property,
                                               ABMultiValueIdentifier identifier)
{
    if (!editing_)
        return;
    if (property == kABPersonBirthdayProperty) {
        edited_.birthday.reset();
    } else if (property == kABPersonPhoneProperty || property == kABPersonEmailProperty) {
        auto& values = property == kABPersonPhoneProperty ? edited_.phones : edited_.emails;
        if (identifier < 0 || size_t(identifier) >= values.size())
            return;
        values.erase(values.begin() + identifier);
    }
    refresh();
}

std::vector<ab::LabeledValue>* ABPersonViewController::editedValues(ABPropertyID property)
{
    if (property == kABPersonPhoneProperty)
        return &edited_.phones;
    if (property == kABPersonEmailProperty)
        return &edited_.emails;
    return nullptr;
}

void ABPersonViewController::setEditedFirstName(std::string name)
{
    if (!editing_)
        return;
    edited_.first_name = std::move(name);
    refresh();
}

void ABPersonViewController::setEditedLastName(std::string name)
{
    if (!editing_)
        return;
    edited_.last_name = std::move(name);
    refresh();
}

void ABPersonViewController::setEditedImageData(std::vector<uint8_t> data)
{
    if (!editing_)
        return;
    std::shared_ptr<UIImage> photo;
    if (!data.empty() && !(photo = UIImage::imageWithData(data, kPhotoSize)))
        return;
    edited_.image_data = std::move(data);
    photo_ = std::move(photo);
    refresh();
}

ABMultiValueIdentifier ABPersonViewController::addEditedValue(ABPropertyID property,
                                                              std::string label)
{
    auto* values = editing_ ? editedValues(property) : nullptr;
    if (!values)
        return kABMultiValueInvalidIdentifier;
    values->push_back({std::move(label), ""});
    const auto identifier = ABMultiValueIdentifier(values->size() - 1);
    rows_->focus(property, identifier);
    refresh();
    return identifier;
}

ab::LabeledValue* ABPersonViewController::editedEntry(ABPropertyID property,
                                                      ABMultiValueIdentifier identifier)
{
    auto* values = editing_ ? editedValues(property) : nullptr;
    if (!values || identifier < 0 || size_t(identifier) >= values->size())
        return nullptr;
    return &(*values)[size_t(identifier)];
}

void ABPersonViewController::setEditedValue(ABPropertyID property,
                                            ABMultiValueIdentifier identifier, std::string value)
{
    if (auto* entry = editedEntry(property, identifier)) {
        entry->value = std::move(value);
        refresh();
    }
}

void ABPersonViewController::setEditedLabel(ABPropertyID property,
                                            ABMultiValueIdentifier identifier, std::string label)
{
    if (auto* entry = editedEntry(property, identifier)) {
        entry->label = std::move(label);
        refresh();
    }
}
