#include "BadgeView.h"

#include "uikit/UIFont.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <algorithm>
#include <cmath>

namespace springboard {
namespace {

constexpr CGFloat kHeight = 24;
constexpr CGFloat kRim = 2;
const UIFont kFont = UIFont::boldSystemFontOfSize(14);

// A capsule filled one line of points at a time: the drawing context fills rectangles only.
void fill_capsule(CGRect rect, const UIColor& color)
{
    UIGraphicsSetFillColor(color);
    const CGFloat radius = rect.size.height / 2;
    for (CGFloat y = 0; y < rect.size.height; ++y) {
        const CGFloat dy = y + 0.5f - radius;
        const CGFloat inset = radius - std::sqrt(std::max<CGFloat>(0, radius * radius - dy * dy));
        UIRectFill(
            CGRectMake(rect.origin.x + inset, rect.origin.y + y, rect.size.width - 2 * inset, 1));
    }
}

} // namespace

BadgeView::BadgeView() : UIView(CGRectMake(0, 0, kHeight, kHeight))
{
    setOpaque(false);
    setUserInteractionEnabled(false);
    setHidden(true);
}

void BadgeView::setText(std::string text)
{
    text_ = std::move(text);
    setHidden(text_.empty());
    const CGFloat width = std::max(kHeight, sizeWithFont(text_, kFont).width + 14);
    const CGRect old = frame();
    setFrame(CGRectMake(old.origin.x + old.size.width - width, old.origin.y, width, kHeight));
    setNeedsDisplay();
}

void BadgeView::drawRect(CGRect)
{
    const CGRect all = bounds();
    fill_capsule(all, UIColor::whiteColor());
    fill_capsule(CGRectMake(all.origin.x + kRim, all.origin.y + kRim, all.size.width - 2 * kRim,
                            all.size.height - 2 * kRim),
                 UIColor(0.86f, 0.08f, 0.10f, 1));
    UIGraphicsSetFillColor(UIColor::whiteColor());
    const CGFloat top = (all.size.height - kFont.lineHeight()) / 2;
    drawInRect_withFont_lineBreakMode_alignment(
        text_, CGRectMake(0, top, all.size.width, kFont.lineHeight()), kFont, UILineBreakModeClip,
        UITextAlignmentCenter);
}

void BadgeView::describe(uikit::DumpRecord& record) const
{
    UIView::describe(record);
    record.set("text", text_);
}

} // namespace springboard
