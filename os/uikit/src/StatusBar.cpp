#include "StatusBar.h"

#include "ColorBytes.h"
#include "uikit/DeviceDates.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIScreen.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <ctime>

namespace uikit {

StatusBar::StatusBar() : UIView(CGRectMake(0, 0, UIScreen::standardSize.width, 20))
{
    setUserInteractionEnabled(false);
}

std::string StatusBar::timeText() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return deviceTimeText(local.tm_hour, local.tm_min);
}

void StatusBar::drawRect(CGRect rect)
{
    (void)rect;
    const CGRect box = {{0, 0}, frame().size};
    UIRectFillWithGradient(
        box, CGLinearGradient::vertical(box, rgb(0xf0, 0xf0, 0xf0), rgb(0xa8, 0xa8, 0xa8)));
    UIGraphicsSetFillColor(rgb(0x70, 0x70, 0x70));
    UIRectFill(CGRectMake(0, box.size.height - 1, box.size.width, 1));

    // The signal's bars, the battery's outline, its tip and its charge.
    const UIColor ink = rgb(0x20, 0x20, 0x20);
    UIGraphicsSetFillColor(ink);
    for (int bar = 0; bar < 5; ++bar) {
        const CGFloat height = CGFloat(4 + bar * 2);
        UIRectFill(CGRectMake(CGFloat(6 + bar * 4), 15 - height, 3, height));
    }
    UIGraphicsSetStrokeColor(ink);
    UIGraphicsSetLineCap(kCGLineCapSquare);
    UIRectStroke(CGRectMake(box.size.width - 32.5f, 5.5f, 22, 10));
    UIRectFill(CGRectMake(box.size.width - 10, 8, 2, 5));
    UIRectFill(CGRectMake(box.size.width - 30, 8, 17, 6));

    UIGraphicsSetFillColor(UIColor::blackColor());
    drawInRect_withFont_lineBreakMode_alignment(
        timeText(), CGRectMake(60, 2, box.size.width - 120, 16), UIFont::boldSystemFontOfSize(14),
        UILineBreakModeClip, UITextAlignmentCenter);
}

void StatusBar::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("text", timeText());
}

} // namespace uikit
