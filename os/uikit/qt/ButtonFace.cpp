#include "ButtonFace.h"

#include "Painting.h"
#include "uikit/UIStringDrawing.h"

#include <QPainterPath>
#include <algorithm>

namespace uikit {
namespace {

// Filled with the brush (a gradient or one colour) and stroked with a one-point line of the
// border colour.
void paintFace(QPainter& painter, const QPainterPath& outline, const QBrush& fill,
               const QColor& border)
{
    painter.fillPath(outline, fill);
    painter.save();
    painter.setPen(QPen(border, 1));
    painter.drawPath(outline);
    painter.restore();
}

// Inset by half a point, so that the one-point border falls on whole pixels.
QRectF faceBox(CGRect rect) { return toQRect(rect).adjusted(0.5, 0.5, -0.5, -0.5); }

QPainterPath rounded(const QRectF& box, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

} // namespace

void paintAlertButtonFace(CGRect rect, bool cancel, bool highlighted)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    const QRectF box = faceBox(rect);
    QColor top = cancel ? QColor(0x4a, 0x55, 0x73) : QColor(0x6b, 0x7c, 0xa8);
    QColor bottom = cancel ? QColor(0x26, 0x2f, 0x4a) : QColor(0x30, 0x40, 0x6e);
    if (highlighted)
        top = top.darker(150), bottom = bottom.darker(150);
    paintFace(*painter, rounded(box, 6), verticalGradient(box, top, bottom),
              QColor(255, 255, 255, 110));
}

void paintSheetButtonFace(CGRect rect, SheetButtonRole role, bool highlighted)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    QColor top(0xfd, 0xfd, 0xfd), bottom(0xd2, 0xd2, 0xd2), border(0x3c, 0x3c, 0x3c);
    if (highlighted)
        top = QColor(0x05, 0x8c, 0xf5), bottom = QColor(0x01, 0x5e, 0xe6);
    else if (role == SheetButtonRole::kDestructive)
        top = QColor(0xf2, 0x5c, 0x5c), bottom = QColor(0xc2, 0x0c, 0x0c),
        border = QColor(0x5a, 0x08, 0x08);
    else if (role == SheetButtonRole::kCancel)
        top = QColor(0x6a, 0x6a, 0x6a), bottom = QColor(0x2c, 0x2c, 0x2c),
        border = QColor(0x10, 0x10, 0x10);
    const QRectF box = faceBox(rect);
    // Glassy: the lower half starts a shade apart from where the upper half ends.
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(0.5, top.darker(104));
    gradient.setColorAt(0.51, bottom.lighter(108));
    gradient.setColorAt(1, bottom);
    paintFace(*painter, rounded(box, 9), gradient, border);
}

void paintRoundedRectButtonFace(CGRect rect, bool highlighted)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    const QColor fill = highlighted ? QColor(0x1d, 0x62, 0xf0) : QColor(Qt::white);
    paintFace(*painter, rounded(faceBox(rect), 9), fill, QColor(0x9a, 0x9a, 0x9a));
}

void paintTextFieldFace(CGRect rect, CGFloat cornerRadius, bool editing)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    paintFace(*painter, rounded(faceBox(rect), cornerRadius), QColor(Qt::white),
              editing ? QColor(0x4a, 0x86, 0xe8) : QColor(0x9a, 0x9a, 0x9a));
}

void paintBarButtonFace(const UIBezierPath& outline, BarButtonFace face, bool highlighted)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
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
    const QPainterPath& path = outline.outline().path;
    paintFace(*painter, path, verticalGradient(path.boundingRect(), top, bottom), border);
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

void paintRoundGlyphButton(CGRect rect, RoundGlyph glyph)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    QColor ring = Qt::white, fill = QColor(0x23, 0x6e, 0xd8), glyphColor = Qt::white;
    QString text = QStringLiteral("i");
    switch (glyph) {
    case RoundGlyph::kInfoLight: fill = Qt::transparent; break;
    case RoundGlyph::kInfoDark:
        ring = glyphColor = QColor(0x55, 0x55, 0x55);
        fill = Qt::transparent;
        break;
    case RoundGlyph::kDetailDisclosure: text = QStringLiteral("›"); break;
    case RoundGlyph::kContactAdd: text = QStringLiteral("+"); break;
    }
    const QRectF box = toQRect(rect);
    const qreal side = std::min(box.width(), box.height()) - 2;
    const QRectF circle(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    painter->save();
    painter->setPen(QPen(ring, 2));
    painter->setBrush(fill);
    painter->drawEllipse(circle);
    QFont font = toQFont(UIFont::boldSystemFontOfSize(CGFloat(side * 0.7)));
    if (text == QLatin1String("i")) {
        font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        // Every serif face has an "i": without fallbacks Qt never asks fontconfig to rank all
        // installed fonts for this family, a millisecond at start-up for one letter.
        font.setStyleStrategy(QFont::NoFontMerging);
    }
    painter->setFont(font);
    painter->setPen(glyphColor);
    painter->drawText(circle, Qt::AlignCenter, text);
    painter->restore();
}

} // namespace uikit
