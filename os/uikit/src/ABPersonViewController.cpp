#include "uikit/ABPersonViewController.h"

#include "Painting.h"
#include "uikit/NSURL.h"
#include "uikit/UIApplication.h"
#include "uikit/UIButton.h"
#include "uikit/UIImageView.h"
#include "uikit/UILabel.h"
#include "uikit/UIScreen.h"
#include "uikit/UITableView.h"

#include <QDate>
#include <QPainterPath>
#include <QUrl>

#include <array>
#include <functional>

using namespace uikit;

namespace {

constexpr CGFloat headerRowHeight = 80;
constexpr CGFloat valueRowHeight = 44;
constexpr CGFloat editorRowHeight = 100;
// The photo beside the name; one larger is decoded straight to this size.
constexpr CGSize kPhotoSize{64, 64};
const UIColor labelColor(0.32f, 0.4f, 0.57f, 1);

const std::array<const char*, 12> monthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// February has 29 days in a birthday of unknown year: the person may well be born on the 29th.
int daysIn(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && (year == ab::kUnknownYear || isLeap(year)))
        return 29;
    return days[month - 1];
}

std::string birthdayText(const ab::CivilDate& date)
{
    std::string text = monthNames[size_t(date.month - 1)];
    text += ' ' + std::to_string(date.day);
    if (date.year != ab::kUnknownYear)
        text += ", " + std::to_string(date.year);
    return text;
}

std::string yearText(int year) { return year == ab::kUnknownYear ? "no year" : std::to_string(year); }

ab::CivilDate today()
{
    const QDate now = QDate::currentDate();
    return {now.year(), now.month(), now.day()};
}

enum class Field { Month, Day, Year };

// One step of a field, the way the steppers turn: months and days go round, the year stops at
// its ends. A year stepped below 1901 becomes unknown; an unknown year steps to this year. The
// day shrinks to fit a shorter month.
ab::CivilDate stepped(ab::CivilDate date, Field field, int delta)
{
    switch (field) {
    case Field::Month: date.month = (date.month - 1 + delta + 12) % 12 + 1; break;
    case Field::Day: {
        const int days = daysIn(date.year, date.month);
        date.day = (date.day - 1 + delta + days) % days + 1;
        break;
    }
    case Field::Year:
        if (date.year == ab::kUnknownYear)
            date.year = today().year;
        else
            date.year = std::clamp(date.year + delta, ab::kUnknownYear, 9999);
        break;
    }
    date.day = std::min(date.day, daysIn(date.year, date.month));
    return date;
}

// The characters a phone dials; the rest of what the user typed only spaces the number out.
std::string telURLText(const std::string& number)
{
    std::string dialable;
    for (char c : number)
        if ((c >= '0' && c <= '9') || c == '+' || c == '*' || c == '#' || c == ',' || c == ';')
            dialable += c;
    if (dialable.empty())
        return {};
    return "tel:" + QUrl::toPercentEncoding(QString::fromStdString(dialable), "+*,;").toStdString();
}

std::string mailtoURLText(const std::string& address)
{
    if (address.empty())
        return {};
    return "mailto:" +
           QUrl::toPercentEncoding(QString::fromUtf8(address.data(), qsizetype(address.size())),
                                   "@!$&'*+=~")
               .toStdString();
}

std::string displayName(const ab::Person& person)
{
    const std::string first = person.first_name.value_or("");
    const std::string last = person.last_name.value_or("");
    if (!first.empty() && !last.empty())
        return first + " " + last;
    if (!first.empty() || !last.empty())
        return first + last;
    return "No Name";
}

// A red minus or a green plus in a circle, at the left of a row being edited.
class EditControl : public UIControl {
public:
    enum class Kind { Delete, Add };
    explicit EditControl(Kind kind) : kind_(kind) {}
    std::string className() const override
    {
        return kind_ == Kind::Delete ? "ABDeleteControl" : "ABAddControl";
    }

    void drawRect(CGRect rect) override
    {
        QPainter* painter = currentPainter();
        if (!painter)
            return;
        const QRectF box = toQRect(rect).adjusted(2, 2, -2, -2);
        painter->save();
        painter->setPen(QPen(Qt::white, 2));
        painter->setBrush(kind_ == Kind::Delete ? QColor(0xe0, 0x2a, 0x2a)
                                                : QColor(0x2f, 0xb3, 0x3c));
        painter->drawEllipse(box);
        painter->setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::FlatCap));
        const QPointF c = box.center();
        const qreal arm = box.width() * 0.28;
        painter->drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
        if (kind_ == Kind::Add)
            painter->drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
        painter->restore();
    }

private:
    Kind kind_;
};

std::shared_ptr<UILabel> makeLabel(const UIFont& font, const UIColor& color,
                                   UITextAlignment alignment)
{
    auto label = std::make_shared<UILabel>();
    label->setFont(font);
    label->setTextColor(color);
    label->setHighlightedTextColor(UIColor::whiteColor());
    label->setTextAlignment(alignment);
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    return label;
}

// The photo, the name and the "Edit" button above the values; drawn on the table's background.
class HeaderCell : public UITableViewCell {
public:
    HeaderCell() : UITableViewCell(CGRectZero, "ABHeaderCell")
    {
        setSelectionStyle(UITableViewCellSelectionStyleNone);
        photo_ = std::make_shared<UIImageView>();
        contentView()->addSubview(photo_);
        name_ = makeLabel(UIFont::boldSystemFontOfSize(20), UIColor::blackColor(),
                          UITextAlignmentLeft);
        contentView()->addSubview(name_);
        edit_ = UIButton::buttonWithType(UIButtonTypeRoundedRect);
        edit_->setFont(UIFont::boldSystemFontOfSize(15));
        edit_->addTarget_action_forControlEvents(
            [this](UIControl*) {
                // A copy: the action reloads the table, which may configure this cell anew.
                if (auto edit = onEdit_)
                    edit();
            },
            UIControlEventTouchUpInside);
        contentView()->addSubview(edit_);
    }

    void configure(const ab::Person& person, std::shared_ptr<UIImage> photo, bool allowsEditing,
                   bool editing, std::function<void()> onEdit)
    {
        photo_->setImage(std::move(photo));
        name_->setText(displayName(person));
        edit_->setHidden(!allowsEditing);
        edit_->setTitle_forState(editing ? "Done" : "Edit", UIControlStateNormal);
        onEdit_ = std::move(onEdit);
        setNeedsLayout();
        setNeedsDisplay();
    }

    void layoutSubviews() override
    {
        UITableViewCell::layoutSubviews();
        const CGRect box = contentView()->bounds();
        photo_->setFrame({{0, 8}, kPhotoSize});
        const CGFloat right = edit_->isHidden() ? CGRectGetMaxX(box) : CGRectGetMaxX(box) - 72;
        name_->setFrame(CGRectMake(76, 8, right - 80, 64));
        fitName();
        edit_->setFrame(CGRectMake(CGRectGetMaxX(box) - 64, 25, 64, 30));
    }

    // A long name takes a smaller font and more lines, and is cut short only when even that is
    // not enough.
    void fitName()
    {
        const CGSize room = name_->frame().size;
        for (CGFloat size : {20, 17, 14}) {
            const UIFont font = UIFont::boldSystemFontOfSize(size);
            const CGFloat height = sizeWithFont_constrainedToSize_lineBreakMode(
                                       name_->text(), font, {room.width, 1000},
                                       UILineBreakModeWordWrap)
                                       .height;
            if (height <= room.height) {
                name_->setFont(font);
                name_->setNumberOfLines(height > font.lineHeight() ? 0 : 1);
                return;
            }
        }
        name_->setFont(UIFont::boldSystemFontOfSize(14));
        name_->setNumberOfLines(1);
        name_->setLineBreakMode(UILineBreakModeTailTruncation);
    }

    // No group background and no separator: the header lies on the table's own background.
    void drawRect(CGRect) override
    {
        QPainter* painter = currentPainter();
        if (photo_->image() || !painter)
            return;
        const CGRect frame = photo_->convertRect_toView(photo_->bounds(), this);
        const QRectF box = toQRect(frame).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath path;
        path.addRoundedRect(box, 6, 6);
        painter->save();
        painter->fillPath(path, QColor(0xe6, 0xe9, 0xee));
        painter->setPen(QPen(QColor(0x9a, 0xa3, 0xb0), 1));
        painter->drawPath(path);
        // A plain silhouette: head and shoulders.
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0xb4, 0xbc, 0xc8));
        const QPointF c = box.center();
        painter->drawEllipse(QPointF(c.x(), c.y() - 8), 11, 12);
        painter->drawChord(QRectF(c.x() - 22, c.y() + 8, 44, 40), 0, 180 * 16);
        painter->restore();
    }

private:
    std::shared_ptr<UIImageView> photo_;
    std::shared_ptr<UILabel> name_;
    std::shared_ptr<UIButton> edit_;
    std::function<void()> onEdit_;
};

// One value: its label at the left, the value beside it; while editing, a control before them.
class ValueCell : public UITableViewCell {
public:
    ValueCell() : UITableViewCell(CGRectZero, "ABValueCell")
    {
        label_ = makeLabel(UIFont::boldSystemFontOfSize(13), labelColor, UITextAlignmentRight);
        contentView()->addSubview(label_);
        value_ = makeLabel(UIFont::boldSystemFontOfSize(15), UIColor::blackColor(),
                           UITextAlignmentLeft);
        contentView()->addSubview(value_);
    }

    void configure(const std::string& label, const std::string& value, bool selectable,
                   std::optional<EditControl::Kind> control, std::function<void()> onControl)
    {
        label_->setText(label);
        value_->setText(value);
        if (control_)
            control_->removeFromSuperview();
        control_.reset();
        if (control) {
            control_ = std::make_shared<EditControl>(*control);
            control_->addTarget_action_forControlEvents(
                [this](UIControl*) {
                    if (auto action = onControl_)
                        action();
                },
                UIControlEventTouchUpInside);
            contentView()->addSubview(control_);
        }
        onControl_ = std::move(onControl);
        setSelectionStyle(selectable ? UITableViewCellSelectionStyleBlue
                                     : UITableViewCellSelectionStyleNone);
        setNeedsLayout();
    }

    void layoutSubviews() override
    {
        UITableViewCell::layoutSubviews();
        const CGRect box = contentView()->bounds();
        const CGFloat indent = control_ ? 36 : 0;
        if (control_)
            control_->setFrame(CGRectMake(8, (box.size.height - 28) / 2, 28, 28));
        label_->setFrame(CGRectMake(6 + indent, 0, 66, box.size.height));
        value_->setFrame(
            CGRectMake(80 + indent, 0, std::max(CGFloat(0), box.size.width - 88 - indent),
                       box.size.height));
    }

private:
    std::shared_ptr<UILabel> label_;
    std::shared_ptr<UILabel> value_;
    std::shared_ptr<EditControl> control_;
    std::function<void()> onControl_;
};

// The birthday being edited: month, day and year, each between an up and a down button.
class BirthdayEditorCell : public UITableViewCell {
public:
    BirthdayEditorCell() : UITableViewCell(CGRectZero, "ABBirthdayEditorCell")
    {
        setSelectionStyle(UITableViewCellSelectionStyleNone);
        for (size_t i = 0; i < 3; ++i) {
            const Field field = Field(i);
            columns_[i].up = stepper("\u25B2", field, +1);
            columns_[i].value = makeLabel(UIFont::boldSystemFontOfSize(17), UIColor::blackColor(),
                                          UITextAlignmentCenter);
            contentView()->addSubview(columns_[i].value);
            columns_[i].down = stepper("\u25BC", field, -1);
        }
    }

    void configure(const ab::CivilDate& date, std::function<void(ab::CivilDate)> onChange)
    {
        date_ = date;
        onChange_ = std::move(onChange);
        columns_[0].value->setText(monthNames[size_t(date.month - 1)]);
        columns_[1].value->setText(std::to_string(date.day));
        columns_[2].value->setText(yearText(date.year));
    }

    void layoutSubviews() override
    {
        UITableViewCell::layoutSubviews();
        const CGFloat width = contentView()->bounds().size.width;
        // Month, day and year columns in proportion to what they show.
        const CGFloat lefts[] = {8, width * 0.47f, width * 0.70f};
        const CGFloat rights[] = {width * 0.47f - 8, width * 0.70f - 8, width - 8};
        for (size_t i = 0; i < 3; ++i) {
            const CGFloat x = lefts[i], w = rights[i] - lefts[i];
            columns_[i].up->setFrame(CGRectMake(x, 6, w, 28));
            columns_[i].value->setFrame(CGRectMake(x, 36, w, 26));
            columns_[i].down->setFrame(CGRectMake(x, 64, w, 28));
        }
    }

private:
    struct Column {
        std::shared_ptr<UIButton> up;
        std::shared_ptr<UILabel> value;
        std::shared_ptr<UIButton> down;
    };

    std::shared_ptr<UIButton> stepper(const char* title, Field field, int delta)
    {
        auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
        button->setTitle_forState(title, UIControlStateNormal);
        button->setFont(UIFont::boldSystemFontOfSize(15));
        button->addTarget_action_forControlEvents(
            [this, field, delta](UIControl*) {
                if (auto change = onChange_)
                    change(stepped(date_, field, delta));
            },
            UIControlEventTouchUpInside);
        contentView()->addSubview(button);
        return button;
    }

    std::array<Column, 3> columns_;
    ab::CivilDate date_;
    std::function<void(ab::CivilDate)> onChange_;
};

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
                                    "birthday", birthdayText(*person.birthday)});
                    if (editing)
                        rows.push_back({Kind::BirthdayEditor, property});
                } else if (editing) {
                    rows.push_back({Kind::AddBirthday, property, kABMultiValueInvalidIdentifier,
                                    "", "add birthday"});
                }
            } else if (property == kABPersonPhoneProperty || property == kABPersonEmailProperty) {
                const auto& values =
                    property == kABPersonPhoneProperty ? person.phones : person.emails;
                for (size_t i = 0; i < values.size(); ++i)
                    rows.push_back({Kind::Value, property, ABMultiValueIdentifier(i),
                                    values[i].label, values[i].value});
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
            cell->configure(*owner_.shownPerson().birthday, [weak](ab::CivilDate date) {
                if (auto owner = weak.lock())
                    static_cast<ABPersonViewController&>(*owner).setEditedBirthday(date);
            });
            return cell;
        }
        case Kind::AddBirthday: {
            auto cell = reuse<ValueCell>(table, "ABValueCell");
            cell->configure(at.label, at.value, true, EditControl::Kind::Add,
                            act([](ABPersonViewController& c) { c.setEditedBirthday(today()); }));
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
            owner_.setEditedBirthday(today());
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
