#include "uikit/UIScrollView.h"

#include <algorithm>
#include <cmath>

namespace {
// How far a finger moves before a touch becomes a drag rather than a tap.
constexpr CGFloat dragThreshold = 6;
} // namespace

UIScrollView::UIScrollView(CGRect frame) : UIView(frame) { setClipsToBounds(true); }

CGPoint UIScrollView::clamped(CGPoint offset) const
{
    const CGFloat maxX = std::max(CGFloat(0), contentSize_.width - frame().size.width);
    const CGFloat maxY = std::max(CGFloat(0), contentSize_.height - frame().size.height);
    return {std::clamp(offset.x, CGFloat(0), maxX), std::clamp(offset.y, CGFloat(0), maxY)};
}

void UIScrollView::setContentOffset(CGPoint offset)
{
    const CGPoint target = clamped(offset);
    if (target == contentOffset())
        return;
    setBounds({target, frame().size});
    setNeedsLayout();
}

void UIScrollView::setContentSize(CGSize size)
{
    contentSize_ = size;
    setContentOffset(contentOffset());
}

void UIScrollView::setFrame(CGRect frame)
{
    UIView::setFrame(frame);
    setContentOffset(contentOffset());
}

void UIScrollView::touchesBegan(CGPoint point)
{
    tracking_ = true;
    dragging_ = false;
    touchStart_ = convertPoint_toView(point, nullptr);
    offsetAtStart_ = contentOffset();
}

void UIScrollView::touchesMoved(CGPoint point)
{
    if (!tracking_)
        return;
    const CGPoint now = convertPoint_toView(point, nullptr);
    const CGFloat dx = touchStart_.x - now.x;
    const CGFloat dy = touchStart_.y - now.y;
    if (!dragging_ && std::hypot(dx, dy) < dragThreshold)
        return;
    dragging_ = true;
    setContentOffset({offsetAtStart_.x + dx, offsetAtStart_.y + dy});
}

void UIScrollView::touchesEnded(CGPoint point)
{
    const bool wasTap = tracking_ && !dragging_;
    tracking_ = false;
    dragging_ = false;
    if (wasTap)
        tapped(point);
}

void UIScrollView::touchesCancelled()
{
    tracking_ = false;
    dragging_ = false;
}

bool UIScrollView::scrollByWheel(CGPoint point, CGFloat dx, CGFloat dy)
{
    (void)point;
    if (!scrollEnabled_)
        return false;
    setContentOffset({contentOffset().x + dx, contentOffset().y + dy});
    return true;
}
