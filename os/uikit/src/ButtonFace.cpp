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

void paintBarButtonFace(QPainter& painter, const QPainterPath& outline, BarButtonFace face,
                        bool highlighted)
{
    QColor top, bottom, border;
    switch (face) {
    case BarButtonFace::kDone:
        top = QColor(0x5a, 0x8d, 0xe8), bottom = QColor(0x1f, 0x5b, 0xd3);
        border = QColor(0x1a, 0x3c, 0x86);
        break;
    case BarButtonFace::kOnBlueBar:
        top = QColor(0x8a, 0x9e, 0xbd), bottom = QColor(0x4d, 0x6b, 0x96);
        border = QColor(0x3b, 0x52, 0x75);
        break;
    case BarButtonFace::kOnBlackBar:
        top = QColor(0x4a, 0x4a, 0x4a), bottom = QColor(0x16, 0x16, 0x16);
        border = QColor(0x05, 0x05, 0x05);
        break;
    }
    if (highlighted)
        top = top.darker(130), bottom = bottom.darker(130);
    paintButtonFace(painter, outline, verticalGradient(outline.boundingRect(), top, bottom),
                    border);
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
