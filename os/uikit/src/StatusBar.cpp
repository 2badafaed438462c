#include "StatusBar.h"

#include "Painting.h"
#include "uikit/DeviceDates.h"
#include "uikit/UIScreen.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <QTime>

namespace uikit {

StatusBar::StatusBar() : UIView(CGRectMake(0, 0, UIScreen::standardSize.width, 20))
{
    setUserInteractionEnabled(false);
}

std::string StatusBar::timeText() const
{
    const QTime now = QTime::currentTime();
    return deviceTimeText(now.hour(), now.minute());
}

void StatusBar::drawRect(CGRect rect)
{
    (void)rect;
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    const QRectF box(0, 0, frame().size.width, frame().size.height);
    fillGradient(*painter, box, QColor(0xf0, 0xf0, 0xf0), QColor(0xa8, 0xa8, 0xa8));
    painter->fillRect(QRectF(0, box.height() - 1, box.width(), 1), QColor(0x70, 0x70, 0x70));

    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0x20, 0x20, 0x20));
    for (int bar = 0; bar < 5; ++bar) {
        const qreal height = 4 + bar * 2;
        painter->drawRect(QRectF(6 + bar * 4, 15 - height, 3, height));
    }
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    painter->drawRect(QRectF(box.width() - 32.5, 5.5, 22, 10));
    painter->fillRect(QRectF(box.width() - 10, 8, 2, 5), QColor(0x20, 0x20, 0x20));
    painter->fillRect(QRectF(box.width() - 30, 8, 17, 6), QColor(0x20, 0x20, 0x20));

    UIGraphicsSetFillColor(UIColor::blackColor());
    drawInRect_withFont_lineBreakMode_alignment(
        timeText(), CGRectMake(60, 2, CGFloat(box.width() - 120), 16),
        UIFont::boldSystemFontOfSize(14), UILineBreakModeClip, UITextAlignmentCenter);
}

void StatusBar::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("text", timeText());
}

} // namespace uikit
