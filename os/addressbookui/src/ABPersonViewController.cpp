#include "addressbookui/ABPersonViewController.h"

#include "BirthdayStepper.h"
#include "BirthdayText.h"
#include "FieldLabels.h"
#include "PersonCells.h"
#include "foundation/DeviceText.h"

#include <uikit/NSURL.h>
#include <uikit/UIApplication.h>
#include <uikit/UIImage.h>
#include <uikit/UIScreen.h>
#include <uikit/UITableView.h>

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
// (while editing, the birthday group shows even without one, to add it).
class ABPersonViewController::Rows : public UITableViewDataSource, public UITableViewDelegate {
public:
    enum class Kind { Header, Value, AddBirthday, BirthdayEditor };
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
        for (ABPropertyID property : owner_.displayedProperties()) {
            std::vector<Row> rows;
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
            }
            if (!rows.empty())
                sections_.push_back(std::move(rows));
        }
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
            return [weak, action] {
                if (auto owner = weak.lock())
                    action(static_cast<ABPersonViewController&>(*owner));
            };
        };
        switch (at.kind) {
        case Kind::Header: {
            auto cell = reuse<HeaderCell>(table, "ABHeaderCell");
            cell->configure(owner_.displayedPerson(), owner_.photo_, owner_.allowsEditing(),
                            owner_.isEditing(),
                            act([](ABPersonViewController& c) { c.setEditing(!c.isEditing()); }));
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
        case Kind::AddBirthday: {
            auto cell = reuse<ValueCell>(table, "ABValueCell");
            cell->configure(at.label, at.value, true, EditControl::Kind::Add,
                            act([](ABPersonViewController& c) { c.setEditedBirthday(c.today()); }));
            return cell;
        }
        case Kind::Value: {
            auto cell = reuse<ValueCell>(table, "ABValueCell");
            std::optional<EditControl::Kind> control;
            if (owner_.isEditing())
                control = EditControl::Kind::Delete;
            const ABPropertyID property = at.property;
            const ABMultiValueIdentifier identifier = at.identifier;
            const bool selectable = !owner_.isEditing() && property != kABPersonBirthdayProperty;
            cell->configure(at.label, at.value, selectable, control,
                            act([property, identifier](ABPersonViewController& c) {
                                c.removeEditedValue(property, identifier);
                            }));
            return cell;
        }
        }
        return nullptr;
    }

    void tableView_didSelectRowAtIndexPath(UITableView* table,
                                           const NSIndexPath& indexPath) override
    {
        const Row at = row(indexPath);
        table->deselectRowAtIndexPath_animated(indexPath, true);
        if (at.kind == Kind::AddBirthday)
            owner_.setEditedBirthday(owner_.today());
        else if (at.kind == Kind::Value && !owner_.isEditing())
            owner_.selectValue(at.property, at.identifier);
    }

private:
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
};

ABPersonViewController::ABPersonViewController() : rows_(std::make_unique<Rows>(*this)) {}

ABPersonViewController::~ABPersonViewController()
{
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

void ABPersonViewController::refresh()
{
    rows_->rebuild();
    if (auto* table = isViewLoaded() ? dynamic_cast<UITableView*>(view().get()) : nullptr)
        table->reloadData();
}

void ABPersonViewController::setDisplayedPerson(ab::Person person)
{
    person_ = std::move(person);
    editing_ = false;
    showPhoto();
    refresh();
}

void ABPersonViewController::showPhoto()
{
    photo_ = UIImage::imageWithData(person_.image_data, kPhotoSize);
}

void ABPersonViewController::setAddressBook(std::shared_ptr<ab::AddressBook> addressBook)
{
    addressBook_ = std::move(addressBook);
}

void ABPersonViewController::setClock(const os::Clock& clock) { clock_ = &clock; }

ab::CivilDate ABPersonViewController::today() const { return localDate(clock_->now()); }

void ABPersonViewController::setAllowsEditing(bool allowsEditing)
{
    allowsEditing_ = allowsEditing;
    if (!allowsEditing)
        editing_ = false;
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
    if (editing)
        edited_ = person_;
    else
        save();
    editing_ = editing;
    refresh();
}

bool ABPersonViewController::save()
{
    if (!addressBook_)
        return false;
    // The stored person, so that what changed elsewhere meanwhile outside the shown values stays.
    std::optional<ab::Person> stored = addressBook_->personWithRecordID(person_.id);
    if (!stored)
        return false;
    for (ABPropertyID property : properties_) {
        if (property == kABPersonBirthdayProperty)
            stored->birthday = edited_.birthday;
        else if (property == kABPersonPhoneProperty)
            stored->phones = edited_.phones;
        else if (property == kABPersonEmailProperty)
            stored->emails = edited_.emails;
    }
    const bool saved = addressBook_->save(*stored);
    if (saved)
        person_ = std::move(*stored);
    else if (auto unchanged = addressBook_->personWithRecordID(person_.id))
        person_ = std::move(*unchanged);
    showPhoto();
    return saved;
}

bool ABPersonViewController::selectValue(ABPropertyID property, ABMultiValueIdentifier identifier)
{
    if (editing_)
        return false;
    std::string url;
    if (property == kABPersonPhoneProperty || property == kABPersonEmailProperty) {
        const auto& values = property == kABPersonPhoneProperty ? person_.phones : person_.emails;
        if (identifier < 0 || size_t(identifier) >= values.size())
            return false;
        const std::string& value = values[size_t(identifier)].value;
        url = property == kABPersonPhoneProperty ? telURLText(value) : mailtoURLText(value);
    } else if (property != kABPersonBirthdayProperty || !person_.birthday) {
        return false;
    }
    if (delegate_ &&
        !delegate_->personViewController_shouldPerformDefaultActionForPerson_property_identifier(
            this, person_, property, identifier))
        return false;
    auto target = NSURL::URLWithString(url);
    return target && UIApplication::sharedApplication()->openURL(target.get());
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
