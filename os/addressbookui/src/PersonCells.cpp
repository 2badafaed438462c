#include "PersonCells.h"

#include "addressbook/PersonName.h"
#include "foundation/DeviceText.h"
#include "uikit/KeyboardFocus.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIStringDrawing.h"

#include <algorithm>
#include <initializer_list>

namespace addressbookui {

void styleLabel(UILabel& label, const UIFont& font, const UIColor& color, UITextAlignment alignment)
{
    label.setFont(font);
    label.setTextColor(color);
    label.setHighlightedTextColor(UIColor::whiteColor());
    label.setTextAlignment(alignment);
    label.setBackgroundColor(UIColor::clearColor());
    label.setOpaque(false);
}

std::shared_ptr<UILabel> makeLabel(const UIFont& font, const UIColor& color,
                                   UITextAlignment alignment)
{
    auto label = std::make_shared<UILabel>();
    styleLabel(*label, font, color, alignment);
    return label;
}

namespace {

// A text longer than its label (a translation, one the person typed) takes the first of the bold
// sizes, largest first, that fits on one line, else the smallest; false when none fits.
bool fitFont(UILabel& label, std::initializer_list<CGFloat> sizes)
{
    for (const CGFloat size : sizes) {
        label.setFont(UIFont::boldSystemFontOfSize(size));
        if (sizeWithFont(label.text(), label.font()).width <= label.frame().size.width)
            return true;
    }
    return false;
}

// A field whose changes by the user go to what `onChange` holds when they happen; `onChange`
// belongs to the cell that holds the field, so it outlives it.
std::shared_ptr<UITextField> makeField(std::function<void(std::string)>& onChange)
{
    auto field = std::make_shared<UITextField>();
    UITextField* raw = field.get();
    field->addTarget_action_forControlEvents(
        [raw, &onChange](UIControl*) {
            if (auto change = onChange)
                change(raw->text());
        },
        UIControlEventEditingChanged);
    return field;
}

// Shown or hidden with its text; the text is left alone when it is the same, so that a redisplay
// while the user types keeps the cursor where it is.
void showField(UITextField& field, bool shown, const std::string& text,
               const std::string& placeholder)
{
    field.setHidden(!shown);
    if (!shown) {
        field.resignFirstResponder();
        return;
    }
    if (field.text() != text)
        field.setText(text);
    field.setPlaceholder(placeholder);
}

// Runs the action the control holds when tapped: a copy, since the action may reload the table,
// which may configure the cell anew.
void onTap(UIControl& control, std::function<void()>& action)
{
    control.addTarget_action_forControlEvents(
        [&action](UIControl*) {
            if (auto run = action)
                run();
        },
        UIControlEventTouchUpInside);
}

} // namespace

std::string displayName(const ab::Person& person)
{
    std::string name = ab::full_name(person);
    return name.empty() ? os::deviceText("No Name") : name;
}

std::string EditControl::className() const
{
    return kind_ == Kind::Delete ? "ABDeleteControl" : "ABAddControl";
}

void EditControl::drawRect(CGRect rect)
{
    const CGRect box = CGRectInset(rect, 2, 2);
    UIGraphicsSetFillColor(kind_ == Kind::Delete
                               ? UIColor(0xe0 / 255.f, 0x2a / 255.f, 0x2a / 255.f, 1)
                               : UIColor(0x2f / 255.f, 0xb3 / 255.f, 0x3c / 255.f, 1));
    UIEllipseFill(box);
    UIGraphicsSetStrokeColor(UIColor::whiteColor());
    UIGraphicsSetLineWidth(2);
    UIEllipseStroke(box);
    UIGraphicsSetLineWidth(3);
    const CGFloat x = CGRectGetMidX(box), y = CGRectGetMidY(box);
    const CGFloat arm = box.size.width * 0.28f;
    UILineStroke({x - arm, y}, {x + arm, y});
    if (kind_ == Kind::Add)
        UILineStroke({x, y - arm}, {x, y + arm});
}

HeaderCell::HeaderCell() : UITableViewCell(CGRectZero, "ABHeaderCell")
{
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    photo_ = std::make_shared<UIImageView>();
    contentView()->addSubview(photo_);
    // A caption across the foot of the photo.
    photoButton_ = UIButton::buttonWithType(UIButtonTypeCustom);
    photoButton_->setFont(UIFont::boldSystemFontOfSize(11));
    photoButton_->setTitleColor_forState(UIColor::whiteColor(), UIControlStateNormal);
    photoButton_->setBackgroundColor(UIColor(0, 0, 0, 0.55f));
    onTap(*photoButton_, actions_.photo);
    contentView()->addSubview(photoButton_);
    name_ = makeLabel(UIFont::boldSystemFontOfSize(20), UIColor::blackColor(), UITextAlignmentLeft);
    contentView()->addSubview(name_);
    first_ = makeField(actions_.firstName);
    contentView()->addSubview(first_);
    last_ = makeField(actions_.lastName);
    contentView()->addSubview(last_);
    edit_ = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    edit_->setFont(UIFont::boldSystemFontOfSize(15));
    onTap(*edit_, actions_.edit);
    contentView()->addSubview(edit_);
}

void HeaderCell::configure(const ab::Person& person, std::shared_ptr<UIImage> photo, bool editing,
                           HeaderActions actions)
{
    const bool hasPhoto = photo != nullptr;
    photo_->setImage(std::move(photo));
    photoButton_->setHidden(!editing || !actions.photo);
    photoButton_->setTitle_forState(hasPhoto ? os::deviceText("edit photo")
                                             : os::deviceText("add photo"),
                                    UIControlStateNormal);
    name_->setHidden(editing);
    name_->setText(displayName(person));
    showField(*first_, editing, person.first_name.value_or(""), os::deviceText("First"));
    showField(*last_, editing, person.last_name.value_or(""), os::deviceText("Last"));
    edit_->setHidden(!actions.edit);
    edit_->setTitle_forState(editing ? os::deviceText("Done") : os::deviceText("Edit"),
                             UIControlStateNormal);
    actions_ = std::move(actions);
    setNeedsLayout();
    setNeedsDisplay();
}

void HeaderCell::focusFirstName() { uikit::setFocusedView(*first_); }

void HeaderCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    const CGRect box = contentView()->bounds();
    photo_->setFrame({{0, 8}, kPhotoSize});
    photoButton_->setFrame(CGRectMake(0, 8 + kPhotoSize.height - 18, kPhotoSize.width, 18));
    const CGFloat right = edit_->isHidden() ? CGRectGetMaxX(box) : CGRectGetMaxX(box) - 72;
    name_->setFrame(CGRectMake(76, 8, right - 80, 64));
    fitName();
    first_->setFrame(CGRectMake(76, 8, right - 80, 31));
    last_->setFrame(CGRectMake(76, 41, right - 80, 31));
    edit_->setFrame(CGRectMake(CGRectGetMaxX(box) - 64, 25, 64, 30));
}

void HeaderCell::fitName()
{
    const CGSize room = name_->frame().size;
    for (CGFloat size : {20.f, 17.f, 14.f}) {
        const UIFont font = UIFont::boldSystemFontOfSize(size);
        const CGFloat height = sizeWithFont_constrainedToSize_lineBreakMode(
                                   name_->text(), font, {room.width, 1000}, UILineBreakModeWordWrap)
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
void HeaderCell::drawRect(CGRect)
{
    if (photo_->image())
        return;
    const CGRect box = CGRectInset(photo_->convertRect_toView(photo_->bounds(), this), 0.5, 0.5);
    UIGraphicsSetFillColor(UIColor(0xe6 / 255.f, 0xe9 / 255.f, 0xee / 255.f, 1));
    UIRoundedRectFill(box, 6);
    UIGraphicsSetStrokeColor(UIColor(0x9a / 255.f, 0xa3 / 255.f, 0xb0 / 255.f, 1));
    UIGraphicsSetLineWidth(1);
    UIRoundedRectStroke(box, 6);
    // A plain silhouette: head and shoulders.
    UIGraphicsSetFillColor(UIColor(0xb4 / 255.f, 0xbc / 255.f, 0xc8 / 255.f, 1));
    const CGFloat x = CGRectGetMidX(box), y = CGRectGetMidY(box);
    UIEllipseFill(CGRectMake(x - 11, y - 8 - 12, 22, 24));
    UIUpperHalfEllipseFill(CGRectMake(x - 22, y + 8, 44, 40));
}

ValueCell::ValueCell() : UITableViewCell(CGRectZero, "ABValueCell")
{
    label_ = makeLabel(UIFont::boldSystemFontOfSize(13), UIColor(0.32f, 0.4f, 0.57f, 1),
                       UITextAlignmentRight);
    contentView()->addSubview(label_);
    value_ =
        makeLabel(UIFont::boldSystemFontOfSize(15), UIColor::blackColor(), UITextAlignmentLeft);
    contentView()->addSubview(value_);
    field_ = makeField(onChange_);
    contentView()->addSubview(field_);
    button_ = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    button_->setFont(UIFont::boldSystemFontOfSize(12));
    onTap(*button_, onButton_);
    contentView()->addSubview(button_);
}

void ValueCell::configure(const std::string& label, const std::string& value, bool selectable,
                          std::optional<EditControl::Kind> control, std::function<void()> onControl)
{
    label_->setText(label);
    value_->setText(value);
    value_->setHidden(false);
    showField(*field_, false, "", "");
    onChange_ = nullptr;
    setButton("", nullptr);
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

void ValueCell::editValue(const std::string& placeholder, std::function<void(std::string)> onChange)
{
    value_->setHidden(onChange != nullptr);
    showField(*field_, onChange != nullptr, value_->text(), placeholder);
    onChange_ = std::move(onChange);
}

void ValueCell::setButton(const std::string& title, std::function<void()> action)
{
    button_->setHidden(title.empty());
    button_->setTitle_forState(title, UIControlStateNormal);
    onButton_ = std::move(action);
    setNeedsLayout();
}

void ValueCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    const CGRect box = contentView()->bounds();
    const CGFloat indent = control_ ? 36 : 0;
    if (control_)
        control_->setFrame(CGRectMake(8, (box.size.height - 28) / 2, 28, 28));
    label_->setFrame(CGRectMake(6 + indent, 0, 66, box.size.height));
    fitFont(*label_, {13, 12, 11, 10});
    const CGFloat buttonWidth = button_->isHidden() ? 0 : 64;
    if (!button_->isHidden())
        button_->setFrame(CGRectMake(box.size.width - buttonWidth - 6, (box.size.height - 26) / 2,
                                     buttonWidth, 26));
    const CGRect value =
        CGRectMake(80 + indent, 0, std::max(CGFloat(0), box.size.width - 88 - indent - buttonWidth),
                   box.size.height);
    value_->setFrame(value);
    // A long value beside the row's button (a birthday being edited) wraps rather than lose its
    // end: "9 de dezembro de 1990".
    value_->setNumberOfLines(1);
    if (!fitFont(*value_, {15, 14, 13}))
        value_->setNumberOfLines(0);
    field_->setFrame(CGRectInset(value, 0, (box.size.height - 31) / 2));
}

DeleteContactCell::DeleteContactCell() : UITableViewCell(CGRectZero, "ABDeleteContactCell")
{
    setSelectionStyle(UITableViewCellSelectionStyleNone);
    title_ =
        makeLabel(UIFont::boldSystemFontOfSize(17), UIColor::whiteColor(), UITextAlignmentCenter);
    title_->setText(os::deviceText("Delete Contact"));
    contentView()->addSubview(title_);
}

void DeleteContactCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    title_->setFrame(contentView()->bounds());
}

// No group background: the button lies on the table's own background, like the header.
void DeleteContactCell::drawRect(CGRect)
{
    const CGRect box =
        CGRectInset(contentView()->convertRect_toView(contentView()->bounds(), this), 0.5, 0.5);
    UIGraphicsSetFillColor(UIColor(0xd4 / 255.f, 0x2a / 255.f, 0x2a / 255.f, 1));
    UIRoundedRectFill(box, 8);
    UIGraphicsSetStrokeColor(UIColor(0x8e / 255.f, 0x16 / 255.f, 0x16 / 255.f, 1));
    UIGraphicsSetLineWidth(1);
    UIRoundedRectStroke(box, 8);
}

} // namespace addressbookui
