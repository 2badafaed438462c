#include "uikit/UIPageControl.h"

#include "ColorBytes.h"
#include "uikit/UIGraphics.h"
#include "uikit/ViewDump.h"

#include <algorithm>

using namespace uikit;

namespace {

constexpr CGFloat dotSize = 7;
constexpr CGFloat dotSpacing = 16;
constexpr CGFloat standardHeight = 36;

} // namespace

UIPageControl::UIPageControl(CGRect frame) : UIControl(frame) {}

void UIPageControl::setNumberOfPages(int pages)
{
    numberOfPages_ = std::max(0, pages);
    setCurrentPage(currentPage_);
}

void UIPageControl::setCurrentPage(int page)
{
    currentPage_ = std::clamp(page, 0, std::max(0, numberOfPages_ - 1));
    setNeedsDisplay();
}

CGSize UIPageControl::sizeThatFits(CGSize size) const
{
    (void)size;
    return {dotSpacing * CGFloat(numberOfPages_), standardHeight};
}

void UIPageControl::touchesEnded(CGPoint point)
{
    const bool inside = CGRectContainsPoint(bounds(), point);
    UIControl::touchesEnded(point);
    if (!inside || numberOfPages_ == 0)
        return;
    const int before = currentPage_;
    setCurrentPage(currentPage_ + (point.x >= CGRectGetMidX(bounds()) ? 1 : -1));
    if (currentPage_ != before)
        sendActionsForControlEvents(UIControlEventValueChanged);
}

void UIPageControl::drawRect(CGRect rect)
{
    const double left = CGRectGetMidX(rect) - dotSpacing * double(numberOfPages_) / 2.0;
    for (int page = 0; page < numberOfPages_; ++page) {
        UIGraphicsSetFillColor(page == currentPage_ ? UIColor::whiteColor()
                                                    : rgb(0x80, 0x80, 0x80));
        UIEllipseFill(
            CGRectMake(CGFloat(left + double(page) * dotSpacing + (dotSpacing - dotSize) / 2),
                       CGRectGetMidY(rect) - dotSize / 2, dotSize, dotSize));
    }
}

void UIPageControl::describe(DumpRecord& record) const
{
    UIControl::describe(record);
    record.set("numberOfPages", numberOfPages_);
    record.set("currentPage", currentPage_);
}
