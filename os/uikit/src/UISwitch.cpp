#include "uikit/UISwitch.h"

#include "AccessibleViews.h"
#include "ColorBytes.h"
#include "ReadingText.h"
#include "foundation/DeviceText.h"
#include "uikit/UIBezierPath.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/UITableViewCell.h"
#include "uikit/ViewDump.h"

using namespace uikit;

namespace {

// How far outside its bounds a finger may be lifted and still toggle the switch.
constexpr CGFloat touchSlop = 30;
constexpr CGFloat cornerRadius = 6;

CGRect withStandardSize(CGRect frame) { return {frame.origin, UISwitch::standardSize}; }

} // namespace

UISwitch::UISwitch(CGRect frame) : UIControl(withStandardSize(frame)) {}

void UISwitch::setOn_animated(bool on, bool animated)
{
    (void)animated;
    if (on == on_)
        return;
    on_ = on;
    setNeedsDisplay();
    accessibleCheckedChanged(*this);
}

void UISwitch::setFrame(CGRect frame) { UIControl::setFrame(withStandardSize(frame)); }

CGSize UISwitch::sizeThatFits(CGSize size) const
{
    (void)size;
    return standardSize;
}

void UISwitch::touchesEnded(CGPoint point)
{
    const bool inside = CGRectContainsPoint(CGRectInset(bounds(), -touchSlop, -touchSlop), point);
    UIControl::touchesEnded(point);
    if (!inside)
        return;
    setOn_animated(!on_, true);
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void UISwitch::drawRect(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    const CGRect box = CGRectInset(rect, 0.5, 0.5);
    const UIBezierPath track =
        UIBezierPath::bezierPathWithRoundedRect_cornerRadius(box, cornerRadius);
    CGContextSaveGState(context);
    track.addClip();
    UIRectFillWithGradient(
        box, on_ ? CGLinearGradient::vertical(box, rgb(0x1e, 0x5c, 0xd6), rgb(0x5a, 0x95, 0xf5))
                 : CGLinearGradient::vertical(box, rgb(0xe2, 0xe2, 0xe2), rgb(0xfd, 0xfd, 0xfd)));

    // The knob covers the half that is not labelled.
    const double knobWidth = double(box.size.width) * 0.42;
    const CGRect knob =
        CGRectMake(on_ ? CGFloat(double(CGRectGetMaxX(box)) - knobWidth) : box.origin.x,
                   box.origin.y, CGFloat(knobWidth), box.size.height);
    const UIBezierPath knobPath =
        UIBezierPath::bezierPathWithRoundedRect_cornerRadius(knob, cornerRadius);
    UIGraphicsSetFillColor(isHighlighted() ? rgb(0xd8, 0xd8, 0xd8) : rgb(0xf4, 0xf4, 0xf4));
    knobPath.fill();
    UIGraphicsSetLineCap(kCGLineCapSquare);
    UIGraphicsSetStrokeColor(rgb(0x9a, 0x9a, 0x9a));
    knobPath.stroke();
    CGContextRestoreGState(context);
    UIGraphicsSetLineCap(kCGLineCapSquare);
    UIGraphicsSetStrokeColor(rgb(0x8a, 0x8a, 0x8a));
    track.stroke();

    const CGRect label = on_ ? CGRectMake(rect.origin.x, rect.origin.y,
                                          rect.size.width - CGFloat(knobWidth), rect.size.height)
                             : CGRectMake(rect.origin.x + CGFloat(knobWidth), rect.origin.y,
                                          rect.size.width - CGFloat(knobWidth), rect.size.height);
    const UIFont font = UIFont::boldSystemFontOfSize(16);
    UIGraphicsSetFillColor(on_ ? UIColor::whiteColor() : UIColor(0.5f, 0.5f, 0.5f, 1));
    drawInRect_withFont_lineBreakMode_alignment(
        on_ ? os::deviceText("ON") : os::deviceText("OFF"),
        CGRectMake(label.origin.x, label.origin.y + (label.size.height - font.lineHeight()) / 2,
                   label.size.width, font.lineHeight()),
        font, UILineBreakModeClip, UITextAlignmentCenter);
}

std::string UISwitch::defaultAccessibilityLabel() const
{
    for (const UIView* above = superview(); above; above = above->superview())
        if (dynamic_cast<const UITableViewCell*>(above))
            return readingText(*above);
    return {};
}

void UISwitch::describe(DumpRecord& record) const
{
    UIControl::describe(record);
    record.set("on", on_);
}
