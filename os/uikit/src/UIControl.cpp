#include "uikit/UIControl.h"

#include "uikit/ViewDump.h"

namespace {
// How far outside its bounds a finger may stray and still count as inside the control.
constexpr CGFloat touchSlop = 30;
} // namespace

UIControl::UIControl(CGRect frame) : UIView(frame) {}

void UIControl::addTarget_action_forControlEvents(Action action, unsigned events)
{
    if (action)
        targets_.push_back({std::move(action), events});
}

void UIControl::removeAllTargets() { targets_.clear(); }

void UIControl::sendActionsForControlEvents(unsigned events)
{
    // A copy: an action may add targets, or release this control (when shared).
    auto keepAlive = weak_from_this().lock();
    const auto targets = targets_;
    for (const auto& target : targets)
        if (target.events & events)
            target.action(this);
}

void UIControl::setEnabled(bool enabled)
{
    enabled_ = enabled;
    setNeedsDisplay();
}

void UIControl::setSelected(bool selected)
{
    selected_ = selected;
    setNeedsDisplay();
}

void UIControl::setHighlighted(bool highlighted)
{
    highlighted_ = highlighted;
    setNeedsDisplay();
}

unsigned UIControl::state() const
{
    unsigned state = UIControlStateNormal;
    if (highlighted_)
        state |= UIControlStateHighlighted;
    if (!enabled_)
        state |= UIControlStateDisabled;
    if (selected_)
        state |= UIControlStateSelected;
    return state;
}

void UIControl::touchesBegan(CGPoint point)
{
    (void)point;
    setHighlighted(true);
    sendActionsForControlEvents(UIControlEventTouchDown);
}

void UIControl::touchesMoved(CGPoint point)
{
    const bool inside = CGRectContainsPoint(CGRectInset(bounds(), -touchSlop, -touchSlop), point);
    if (inside != isHighlighted())
        setHighlighted(inside);
    sendActionsForControlEvents(inside ? UIControlEventTouchDragInside
                                       : UIControlEventTouchDragOutside);
}

void UIControl::touchesEnded(CGPoint point)
{
    setHighlighted(false);
    const bool inside = CGRectContainsPoint(CGRectInset(bounds(), -touchSlop, -touchSlop), point);
    sendActionsForControlEvents(inside ? UIControlEventTouchUpInside
                                       : UIControlEventTouchUpOutside);
}

void UIControl::touchesCancelled()
{
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel);
}

bool UIControl::keyPressed(UIKey key)
{
    if (key != UIKey::Activate)
        return false;
    const CGPoint middle{CGRectGetMidX(bounds()), CGRectGetMidY(bounds())};
    touchesBegan(middle);
    touchesEnded(middle);
    return true;
}

UIAccessibilityTraits UIControl::defaultAccessibilityTraits() const
{
    return enabled_ ? UIAccessibilityTraitNone : UIAccessibilityTraitNotEnabled;
}

void UIControl::describe(uikit::DumpRecord& record) const
{
    UIView::describe(record);
    record.set("selected", selected_);
    if (!enabled_)
        record.set("enabled", false);
}
