#include "Painting.h"

#include "uikit/UIStringDrawing.h"

namespace uikit {

void paintButtonFace(QPainter& painter, const QPainterPath& outline, const QBrush& fill,
                     const QColor& border)
{
    painter.fillPath(outline, fill);
    painter.save();
    painter.setPen(QPen(border, 1));
    painter.drawPath(outline);
    painter.restore();
}

void drawBarButtonTitle(std::string_view title, const CGRect& rect, const UIFont& font)
{
    const CGFloat line = font.lineHeight();
    const CGRect text =
        CGRectMake(rect.origin.x + 4, CGRectGetMidY(rect) - line / 2, rect.size.width - 8, line);
    UIGraphicsSetFillColor(UIColor(0, 0, 0, 0.45f));
    drawInRect_withFont_lineBreakMode_alignment(title, CGRectOffset(text, 0, -1), font,
                                                UILineBreakModeTailTruncation,
                                                UITextAlignmentCenter);
    UIGraphicsSetFillColor(UIColor::whiteColor());
    drawInRect_withFont_lineBreakMode_alignment(title, text, font, UILineBreakModeTailTruncation,
                                                UITextAlignmentCenter);
}

} // namespace uikit
