#include "uikit/UISwitch.h"

#include "AccessibleViews.h"
#include "Painting.h"
#include "ReadingText.h"
#include "foundation/DeviceText.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/UITableViewCell.h"
#include "uikit/ViewDump.h"

#include <QPainterPath>

using namespace uikit;

namespace {

// How far outside its bounds a finger may be lifted and still toggle the switch.
constexpr CGFloat touchSlop = 30;
constexpr qreal cornerRadius = 6;

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
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    painter->save();
    const QRectF box = toQRect(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath track;
    track.addRoundedRect(box, cornerRadius, cornerRadius);
    painter->setClipPath(track);
    if (on_)
        fillGradient(*painter, box, QColor(0x1e, 0x5c, 0xd6), QColor(0x5a, 0x95, 0xf5));
    else
        fillGradient(*painter, box, QColor(0xe2, 0xe2, 0xe2), QColor(0xfd, 0xfd, 0xfd));

    // The knob covers the half that is not labelled.
    const qreal knobWidth = box.width() * 0.42;
    const QRectF knob(on_ ? box.right() - knobWidth : box.left(), box.top(), knobWidth,
                      box.height());
    QPainterPath knobPath;
    knobPath.addRoundedRect(knob, cornerRadius, cornerRadius);
    painter->setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 1));
    painter->setBrush(QColor(0xf4, 0xf4, 0xf4));
    if (isHighlighted())
        painter->setBrush(QColor(0xd8, 0xd8, 0xd8));
    painter->drawPath(knobPath);
    painter->setClipping(false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(QColor(0x8a, 0x8a, 0x8a), 1));
    painter->drawPath(track);
    painter->restore();

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
