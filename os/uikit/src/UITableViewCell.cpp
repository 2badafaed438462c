#include "uikit/UITableViewCell.h"

#include "ColorBytes.h"
#include "ReadingText.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIImageView.h"
#include "uikit/ViewDump.h"

#include <algorithm>

using namespace uikit;

namespace {

constexpr CGFloat accessoryWidth = 33;
constexpr UIColor separatorColor = rgb(0xe0, 0xe0, 0xe0);
constexpr UIColor groupBorderColor = rgb(0xab, 0xab, 0xab);

// A stroke through the three points.
void strokeThrough(CGPoint a, CGPoint b, CGPoint c)
{
    UIBezierPath path;
    path.moveToPoint(a);
    path.addLineToPoint(b);
    path.addLineToPoint(c);
    path.stroke();
}

// The accessory at the right of the row: a chevron, a check mark or a blue disclosure button.
class AccessoryView : public UIView {
public:
    explicit AccessoryView(UITableViewCell& cell) : cell_(cell)
    {
        setUserInteractionEnabled(false);
    }
    std::string className() const override { return "UITableViewCellAccessory"; }

    void drawRect(CGRect rect) override
    {
        const CGFloat x = CGRectGetMidX(rect), y = CGRectGetMidY(rect);
        const bool light =
            cell_.isSelected() && cell_.selectionStyle() != UITableViewCellSelectionStyleNone;
        UIGraphicsSetLineWidth(3);
        switch (cell_.accessoryType()) {
        case UITableViewCellAccessoryDisclosureIndicator:
            UIGraphicsSetStrokeColor(light ? UIColor::whiteColor() : rgb(0x80, 0x80, 0x80));
            UIGraphicsSetLineCap(kCGLineCapSquare);
            UIGraphicsSetLineJoin(kCGLineJoinMiter);
            strokeThrough({x - 3, y - 5}, {x + 2, y}, {x - 3, y + 5});
            break;
        case UITableViewCellAccessoryCheckmark:
            UIGraphicsSetStrokeColor(light ? UIColor::whiteColor() : rgb(0x32, 0x4f, 0x85));
            UIGraphicsSetLineCap(kCGLineCapRound);
            UIGraphicsSetLineJoin(kCGLineJoinRound);
            strokeThrough({x - 6, y}, {x - 2, y + 5}, {x + 6, y - 6});
            break;
        case UITableViewCellAccessoryDetailDisclosureButton: {
            const CGRect circle = CGRectMake(x - 11, y - 11, 22, 22);
            UIGraphicsSetFillColor(rgb(0x23, 0x6e, 0xd8));
            UIEllipseFill(circle);
            UIGraphicsSetStrokeColor(UIColor::whiteColor());
            UIGraphicsSetLineWidth(2);
            UIGraphicsSetLineCap(kCGLineCapSquare);
            UIEllipseStroke(circle);
            UIGraphicsSetLineWidth(3);
            UIGraphicsSetLineJoin(kCGLineJoinMiter);
            strokeThrough({x - 2, y - 5}, {x + 3, y}, {x - 2, y + 5});
            break;
        }
        case UITableViewCellAccessoryNone: break;
        }
    }

private:
    UITableViewCell& cell_;
};

void highlightTree(UIView& view, bool highlighted)
{
    for (const auto& subview : view.subviews()) {
        if (auto* label = dynamic_cast<UILabel*>(subview.get()))
            label->setHighlighted(highlighted);
        else if (auto* image = dynamic_cast<UIImageView*>(subview.get()))
            image->setHighlighted(highlighted);
        highlightTree(*subview, highlighted);
    }
}

} // namespace

UITableViewCell::UITableViewCell(CGRect frame, std::string reuseIdentifier)
    : UIView(frame), reuseIdentifier_(std::move(reuseIdentifier))
{
    setBackgroundColor(UIColor::whiteColor());
    contentView_ = std::make_shared<UIView>(bounds());
    contentView_->setBackgroundColor(UIColor::clearColor());
    contentView_->setOpaque(false);
    addSubview(contentView_);
    accessoryView_ = std::make_shared<AccessoryView>(*this);
    accessoryView_->setHidden(true);
    addSubview(accessoryView_);
}

UITableViewCell::~UITableViewCell() = default;

UILabel* UITableViewCell::textLabel()
{
    if (!textLabel_) {
        textLabel_ = std::make_shared<UILabel>();
        textLabel_->setFont(UIFont::boldSystemFontOfSize(20));
        textLabel_->setBackgroundColor(UIColor::clearColor());
        textLabel_->setOpaque(false);
        textLabel_->setHighlightedTextColor(UIColor::whiteColor());
        contentView_->addSubview(textLabel_);
        setNeedsLayout();
    }
    return textLabel_.get();
}

const std::string& UITableViewCell::text() const
{
    static const std::string none;
    return textLabel_ ? textLabel_->text() : none;
}

void UITableViewCell::setText(std::string text) { textLabel()->setText(std::move(text)); }

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type)
{
    if (accessoryType_ == type)
        return;
    accessoryType_ = type;
    setNeedsLayout();
    setNeedsDisplay();
}

void UITableViewCell::setSelectionStyle(UITableViewCellSelectionStyle style)
{
    selectionStyle_ = style;
    setNeedsDisplay();
}

void UITableViewCell::setSelected_animated(bool selected, bool animated)
{
    (void)animated;
    selected_ = selected;
    highlightTree(*contentView_, selected && selectionStyle_ != UITableViewCellSelectionStyleNone);
    setNeedsDisplay();
}

void UITableViewCell::setGroupPosition(GroupPosition position)
{
    if (groupPosition_ == position)
        return;
    groupPosition_ = position;
    setBackgroundColor(position == GroupPosition::None ? UIColor::whiteColor()
                                                       : UIColor::clearColor());
    setNeedsLayout();
}

void UITableViewCell::layoutSubviews()
{
    UIView::layoutSubviews();
    const CGRect box = bounds();
    const bool accessory = accessoryType_ != UITableViewCellAccessoryNone;
    // The bottom line of a row is its separator.
    const CGFloat height = std::max(CGFloat(0), box.size.height - 1);
    const CGFloat inset = groupPosition_ == GroupPosition::None ? 0 : 1;
    contentView_->setFrame(CGRectMake(box.origin.x + inset, box.origin.y + inset / 2,
                                      box.size.width - 2 * inset - (accessory ? accessoryWidth : 0),
                                      height - inset / 2));
    accessoryView_->setHidden(!accessory);
    accessoryView_->setFrame(
        CGRectMake(CGRectGetMaxX(box) - accessoryWidth, box.origin.y, accessoryWidth, height));
    if (textLabel_)
        textLabel_->setFrame(CGRectMake(10, 0, contentView_->frame().size.width - 20, height));
}

void UITableViewCell::drawRect(CGRect rect)
{
    if (!UIGraphicsGetCurrentContext())
        return;
    const bool showSelection = selected_ && selectionStyle_ != UITableViewCellSelectionStyleNone;
    UIColor top = UIColor::whiteColor(), bottom = UIColor::whiteColor();
    if (showSelection && selectionStyle_ == UITableViewCellSelectionStyleBlue)
        top = rgb(0x05, 0x8c, 0xf5), bottom = rgb(0x01, 0x5e, 0xe6);
    else if (showSelection)
        top = rgb(0xbb, 0xbb, 0xbb), bottom = rgb(0x8e, 0x8e, 0x8e);

    if (groupPosition_ == GroupPosition::None) {
        if (showSelection)
            UIRectFillWithGradient(rect, CGLinearGradient::vertical(rect, top, bottom));
        UIGraphicsSetFillColor(separatorColor);
        UIRectFill(CGRectMake(rect.origin.x, CGRectGetMaxY(rect) - 1, rect.size.width, 1));
        return;
    }
    // A part of a rounded group: corners at the group's top and bottom only.
    const CGFloat radius = 9;
    const CGRect shape = CGRectInset(rect, 0.5, 0.5);
    const CGFloat left = shape.origin.x, right = CGRectGetMaxX(shape);
    const CGFloat upper = shape.origin.y, lower = CGRectGetMaxY(shape);
    const bool roundTop =
        groupPosition_ == GroupPosition::Single || groupPosition_ == GroupPosition::Top;
    const bool roundBottom =
        groupPosition_ == GroupPosition::Single || groupPosition_ == GroupPosition::Bottom;
    UIBezierPath path;
    path.moveToPoint({left, upper + (roundTop ? radius : 0)});
    if (roundTop) {
        path.addQuadCurveToPoint_controlPoint({left + radius, upper}, {left, upper});
        path.addLineToPoint({right - radius, upper});
        path.addQuadCurveToPoint_controlPoint({right, upper + radius}, {right, upper});
    } else {
        path.addLineToPoint({left, upper});
        path.addLineToPoint({right, upper});
    }
    if (roundBottom) {
        path.addLineToPoint({right, lower - radius});
        path.addQuadCurveToPoint_controlPoint({right - radius, lower}, {right, lower});
        path.addLineToPoint({left + radius, lower});
        path.addQuadCurveToPoint_controlPoint({left, lower - radius}, {left, lower});
    } else {
        path.addLineToPoint({right, lower});
        path.addLineToPoint({left, lower});
    }
    path.closePath();
    path.fillWithGradient(CGLinearGradient::vertical(rect, top, bottom));
    UIGraphicsSetLineCap(kCGLineCapSquare);
    UIGraphicsSetStrokeColor(groupBorderColor);
    path.stroke();
    // Rows inside a group meet at a light separator, not at the group's border.
    if (!roundTop) {
        UIGraphicsSetStrokeColor(top);
        UILineStroke({left + 1, upper}, {right - 1, upper});
    }
    if (!roundBottom) {
        UIGraphicsSetStrokeColor(separatorColor);
        UILineStroke({left + 1, lower}, {right - 1, lower});
    }
}

std::string UITableViewCell::defaultAccessibilityLabel() const { return readingText(*this); }

void UITableViewCell::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("selected", selected_);
    if (textLabel_)
        record.set("text", textLabel_->text());
}
