#include "PersonCells.h"

#include "foundation/DeviceText.h"
#include <uikit/UIGraphics.h>
#include <uikit/UIStringDrawing.h>

#include <algorithm>

namespace addressbookui {

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

namespace {

// A label longer than its column (a translation, one the person typed) takes a smaller font,
// down to 10 points, before it is cut short.
void fitLabel(UILabel& label)
{
    for (CGFloat size : {13.f, 12.f, 11.f, 10.f}) {
        label.setFont(UIFont::boldSystemFontOfSize(size));
        if (sizeWithFont(label.text(), label.font()).width <= label.frame().size.width)
            return;
    }
}

} // namespace

std::string displayName(const ab::Person& person)
{
    const std::string first = person.first_name.value_or("");
    const std::string last = person.last_name.value_or("");
    if (!first.empty() && !last.empty())
        return first + " " + last;
    if (!first.empty() || !last.empty())
        return first + last;
    return os::deviceText("No Name");
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
    name_ = makeLabel(UIFont::boldSystemFontOfSize(20), UIColor::blackColor(), UITextAlignmentLeft);
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

void HeaderCell::configure(const ab::Person& person, std::shared_ptr<UIImage> photo,
                           bool allowsEditing, bool editing, std::function<void()> onEdit)
{
    photo_->setImage(std::move(photo));
    name_->setText(displayName(person));
    edit_->setHidden(!allowsEditing);
    edit_->setTitle_forState(editing ? os::deviceText("Done") : os::deviceText("Edit"),
                             UIControlStateNormal);
    onEdit_ = std::move(onEdit);
    setNeedsLayout();
    setNeedsDisplay();
}

void HeaderCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    const CGRect box = contentView()->bounds();
    photo_->setFrame({{0, 8}, kPhotoSize});
    const CGFloat right = edit_->isHidden() ? CGRectGetMaxX(box) : CGRectGetMaxX(box) - 72;
    name_->setFrame(CGRectMake(76, 8, right - 80, 64));
    fitName();
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
}

void ValueCell::configure(const std::string& label, const std::string& value, bool selectable,
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

void ValueCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    const CGRect box = contentView()->bounds();
    const CGFloat indent = control_ ? 36 : 0;
    if (control_)
        control_->setFrame(CGRectMake(8, (box.size.height - 28) / 2, 28, 28));
    label_->setFrame(CGRectMake(6 + indent, 0, 66, box.size.height));
    fitLabel(*label_);
    value_->setFrame(CGRectMake(80 + indent, 0, std::max(CGFloat(0), box.size.width - 88 - indent),
                                box.size.height));
}

} // namespace addressbookui
