#include "uikit/UIView.h"

#include "AccessibleViews.h"
#include "Display.h"
#include "uikit/KeyboardFocus.h"
#include "uikit/UIWindow.h"
#include "uikit/ViewDump.h"

#include <algorithm>
#include <cmath>

using namespace uikit;

namespace {

// Spreads a change of the superview's length over the flexible parts of one axis, in
// proportion to their lengths (equally when they are all zero).
void distribute(CGFloat delta, bool flexLead, bool flexSize, bool flexTrail, CGFloat& lead,
                CGFloat& size, CGFloat trail)
{
    const int count = int(flexLead) + int(flexSize) + int(flexTrail);
    if (count == 0 || delta == 0)
        return;
    const CGFloat total = (flexLead ? lead : 0) + (flexSize ? size : 0) + (flexTrail ? trail : 0);
    auto share = [&](bool flexible, CGFloat length) -> CGFloat {
        if (!flexible)
            return 0;
        return total > 0 ? delta * length / total : delta / CGFloat(count);
    };
    const CGFloat leadShare = share(flexLead, lead);
    const CGFloat sizeShare = share(flexSize, size);
    lead += leadShare;
    size = std::max(CGFloat(0), size + sizeShare);
}

} // namespace

UIView::UIView(CGRect frame) : frame_(frame) {}

UIView::~UIView()
{
    accessibleViewDestroyed(*this);
    for (auto& subview : subviews_)
        subview->superview_ = nullptr;
}

void UIView::setFrame(CGRect frame)
{
    if (frame == frame_)
        return;
    const CGSize oldSize = frame_.size;
    frame_ = frame;
    if (!(oldSize == frame.size)) {
        if (autoresizesSubviews_)
            resizeSubviews(oldSize);
        setNeedsLayout();
    }
    setNeedsDisplay();
}

void UIView::setBounds(CGRect bounds)
{
    boundsOrigin_ = bounds.origin;
    setFrame({frame_.origin, bounds.size});
    setNeedsDisplay();
}

void UIView::setCenter(CGPoint center)
{
    setFrame({{center.x - frame_.size.width / 2, center.y - frame_.size.height / 2}, frame_.size});
}

void UIView::resizeSubviews(CGSize oldSize)
{
    for (auto& subview : subviews_)
        subview->autoresize(oldSize, frame_.size);
}

void UIView::autoresize(CGSize oldSuperSize, CGSize newSuperSize)
{
    if (autoresizingMask_ == UIViewAutoresizingNone)
        return;
    CGRect frame = frame_;
    const unsigned m = autoresizingMask_;
    distribute(newSuperSize.width - oldSuperSize.width, m & UIViewAutoresizingFlexibleLeftMargin,
               m & UIViewAutoresizingFlexibleWidth, m & UIViewAutoresizingFlexibleRightMargin,
               frame.origin.x, frame.size.width, oldSuperSize.width - CGRectGetMaxX(frame_));
    distribute(newSuperSize.height - oldSuperSize.height, m & UIViewAutoresizingFlexibleTopMargin,
               m & UIViewAutoresizingFlexibleHeight, m & UIViewAutoresizingFlexibleBottomMargin,
               frame.origin.y, frame.size.height, oldSuperSize.height - CGRectGetMaxY(frame_));
    setFrame(frame);
}

void UIView::setBackgroundColor(const UIColor& color)
{
    backgroundColor_ = color;
    setNeedsDisplay();
}

void UIView::setOpaque(bool opaque) { opaque_ = opaque; }

void UIView::setHidden(bool hidden)
{
    if (hidden_ == hidden)
        return;
    hidden_ = hidden;
    setNeedsDisplay();
    accessibleTreeChanged(superview_);
}

void UIView::setAlpha(CGFloat alpha)
{
    alpha_ = std::clamp(alpha, CGFloat(0), CGFloat(1));
    setNeedsDisplay();
}

void UIView::setClipsToBounds(bool clips)
{
    clipsToBounds_ = clips;
    setNeedsDisplay();
}

void UIView::addSubview(std::shared_ptr<UIView> view)
{
    insertSubview_atIndex(std::move(view), SIZE_MAX);
}

void UIView::insertSubview_atIndex(std::shared_ptr<UIView> view, size_t index)
{
    if (!view || view.get() == this)
        return;
    if (view->superview_)
        view->superview_->detachSubview(view.get());
    index = std::min(index, subviews_.size());
    view->superview_ = this;
    UIView* added = view.get();
    subviews_.insert(subviews_.begin() + std::ptrdiff_t(index), std::move(view));
    added->didMoveToSuperview();
    setNeedsLayout();
    setNeedsDisplay();
    accessibleTreeChanged(this);
}

void UIView::insertSubview_belowSubview(std::shared_ptr<UIView> view, const UIView* sibling)
{
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& s) { return s.get() == sibling; });
    insertSubview_atIndex(std::move(view), size_t(found - subviews_.begin()));
}

void UIView::detachSubview(const UIView* view)
{
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& s) { return s.get() == view; });
    if (found == subviews_.end())
        return;
    autorelease(*found);
    (*found)->superview_ = nullptr;
    subviews_.erase(found);
    setNeedsLayout();
    setNeedsDisplay();
    accessibleTreeChanged(this);
}

void UIView::removeFromSuperview()
{
    if (!superview_)
        return;
    superview_->detachSubview(this);
    didMoveToSuperview();
}

void UIView::bringSubviewToFront(const UIView* view)
{
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& s) { return s.get() == view; });
    if (found == subviews_.end())
        return;
    std::rotate(found, found + 1, subviews_.end());
    setNeedsDisplay();
}

void UIView::sendSubviewToBack(const UIView* view)
{
    auto found = std::find_if(subviews_.begin(), subviews_.end(),
                              [&](const auto& s) { return s.get() == view; });
    if (found == subviews_.end())
        return;
    std::rotate(subviews_.begin(), found, found + 1);
    setNeedsDisplay();
}

bool UIView::isDescendantOfView(const UIView* view) const
{
    for (const UIView* v = this; v; v = v->superview_)
        if (v == view)
            return true;
    return false;
}

UIView* UIView::viewWithTag(int tag)
{
    if (tag_ == tag)
        return this;
    for (auto& subview : subviews_)
        if (UIView* found = subview->viewWithTag(tag))
            return found;
    return nullptr;
}

UIView* UIView::rootView()
{
    UIView* view = this;
    while (view->superview_)
        view = view->superview_;
    return view;
}

UIWindow* UIView::window() const
{
    const UIView* view = this;
    while (view->superview_)
        view = view->superview_;
    return dynamic_cast<UIWindow*>(const_cast<UIView*>(view));
}

CGPoint UIView::convertPoint_toView(CGPoint point, const UIView* view) const
{
    // Up to the screen, then down into the other view.
    CGPoint p = point;
    for (const UIView* v = this; v; v = v->superview_) {
        p.x += v->frame_.origin.x - v->boundsOrigin_.x;
        p.y += v->frame_.origin.y - v->boundsOrigin_.y;
    }
    if (!view)
        return p;
    return view->convertPoint_fromView(p, nullptr);
}

CGPoint UIView::convertPoint_fromView(CGPoint point, const UIView* view) const
{
    CGPoint p = view ? view->convertPoint_toView(point, nullptr) : point;
    for (const UIView* v = this; v; v = v->superview_) {
        p.x -= v->frame_.origin.x - v->boundsOrigin_.x;
        p.y -= v->frame_.origin.y - v->boundsOrigin_.y;
    }
    return p;
}

CGRect UIView::convertRect_toView(CGRect rect, const UIView* view) const
{
    return {convertPoint_toView(rect.origin, view), rect.size};
}

void UIView::setNeedsLayout()
{
    needsLayout_ = true;
    scheduleDisplay();
}

void UIView::layoutIfNeeded()
{
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    const auto subviews = subviews_;
    for (const auto& subview : subviews)
        subview->layoutIfNeeded();
}

void UIView::layoutSubviews() {}

CGSize UIView::sizeThatFits(CGSize size) const
{
    (void)size;
    return frame_.size;
}

void UIView::sizeToFit() { setFrame({frame_.origin, sizeThatFits(frame_.size)}); }

void UIView::setNeedsDisplay() { scheduleDisplay(); }

void UIView::drawRect(CGRect rect) { (void)rect; }

UIView* UIView::hitTest(CGPoint point)
{
    if (hidden_ || !userInteractionEnabled_ || alpha_ < 0.01f || !pointInside(point))
        return nullptr;
    for (auto subview = subviews_.rbegin(); subview != subviews_.rend(); ++subview) {
        const UIView& s = **subview;
        const CGPoint inner{point.x - s.frame_.origin.x + s.boundsOrigin_.x,
                            point.y - s.frame_.origin.y + s.boundsOrigin_.y};
        if (UIView* hit = (*subview)->hitTest(inner))
            return hit;
    }
    return this;
}

bool UIView::pointInside(CGPoint point) const { return CGRectContainsPoint(bounds(), point); }

void UIView::touchesBegan(CGPoint point) { (void)point; }
void UIView::touchesMoved(CGPoint point) { (void)point; }
void UIView::touchesEnded(CGPoint point) { (void)point; }
void UIView::touchesCancelled() {}

bool UIView::scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy)
{
    (void)point, (void)dx, (void)dy;
    return false;
}

bool UIView::keyPressed(UIKey key)
{
    (void)key;
    return false;
}

std::string UIView::accessibilityLabel() const
{
    return accessibilityLabel_ ? *accessibilityLabel_ : defaultAccessibilityLabel();
}

UIAccessibilityTraits UIView::accessibilityTraits() const
{
    return accessibilityTraits_ ? *accessibilityTraits_ : defaultAccessibilityTraits();
}

UIAccessibilityElement UIView::accessibilityElementAtIndex(int) const { return {}; }

void UIView::describe(DumpRecord& record) const
{
    const CGRect frame = screenFrame();
    record.set("class", className());
    record.set("frame", DumpRecord::Numbers{frame.origin.x, frame.origin.y, frame.size.width,
                                            frame.size.height});
    record.set("hidden", hidden_);
    if (uikit::focusedView() == this)
        record.set("focused", true);
}

std::vector<const UIView*> UIView::subviewsForDump() const
{
    std::vector<const UIView*> result;
    for (const auto& subview : subviews_)
        result.push_back(subview.get());
    return result;
}
