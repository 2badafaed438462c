#include "uikit/UIStringDrawing.h"

#include "Painting.h"

#include <QFontMetricsF>

#include <cmath>

using namespace uikit;

namespace {

Qt::TextElideMode elideMode(UILineBreakMode mode)
{
    switch (mode) {
    case UILineBreakModeHeadTruncation: return Qt::ElideLeft;
    case UILineBreakModeMiddleTruncation: return Qt::ElideMiddle;
    case UILineBreakModeTailTruncation: return Qt::ElideRight;
    default: return Qt::ElideNone;
    }
}

CGFloat up(qreal value) { return CGFloat(std::ceil(value - 1e-3)); }

} // namespace

CGFloat UIFont::lineHeight() const
{
    ensureApplication();
    return up(QFontMetricsF(toQFont(*this)).height());
}

CGSize sizeWithFont(std::string_view text, const UIFont& font)
{
    ensureApplication();
    QFontMetricsF metrics(toQFont(font));
    return {up(metrics.horizontalAdvance(toQString(text))), up(metrics.height())};
}

CGSize sizeWithFont_forWidth_lineBreakMode(std::string_view text, const UIFont& font,
                                           CGFloat width, UILineBreakMode mode)
{
    (void)mode;
    CGSize size = sizeWithFont(text, font);
    size.width = std::min(size.width, std::max(width, CGFloat(0)));
    return size;
}

CGSize sizeWithFont_constrainedToSize_lineBreakMode(std::string_view text, const UIFont& font,
                                                    CGSize size, UILineBreakMode mode)
{
    ensureApplication();
    QFontMetricsF metrics(toQFont(font));
    const int flags = mode == UILineBreakModeCharacterWrap ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    QRectF bounds = metrics.boundingRect(QRectF(0, 0, size.width, 1e6), flags, toQString(text));
    return {std::min(up(bounds.width()), size.width), std::min(up(bounds.height()), size.height)};
}

CGSize drawAtPoint_withFont(std::string_view text, CGPoint point, const UIFont& font)
{
    CGSize size = sizeWithFont(text, font);
    drawInRect_withFont_lineBreakMode_alignment(text, {point, size}, font, UILineBreakModeClip,
                                                UITextAlignmentLeft);
    return size;
}

CGSize drawInRect_withFont_lineBreakMode_alignment(std::string_view text, CGRect rect,
                                                   const UIFont& font, UILineBreakMode mode,
                                                   UITextAlignment alignment)
{
    CGContext* context = currentContext();
    if (!context || !context->painter)
        return {};
    QPainter& painter = *context->painter;
    const QFont qfont = toQFont(font);
    QFontMetricsF metrics(qfont);
    const QRectF box = toQRect(rect);
    int flags = Qt::AlignTop;
    flags |= alignment == UITextAlignmentCenter  ? Qt::AlignHCenter
             : alignment == UITextAlignmentRight ? Qt::AlignRight
                                                 : Qt::AlignLeft;
    QString qtext = toQString(text);
    const bool singleLine = box.height() < 2 * metrics.height() ||
                            (mode != UILineBreakModeWordWrap && mode != UILineBreakModeCharacterWrap);
    if (singleLine) {
        if (elideMode(mode) != Qt::ElideNone)
            qtext = metrics.elidedText(qtext, elideMode(mode), box.width());
    } else {
        flags |= mode == UILineBreakModeCharacterWrap ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
    }
    painter.save();
    painter.setFont(qfont);
    painter.setPen(context->fill);
    QRectF drawn;
    painter.drawText(box, flags, qtext, &drawn);
    painter.restore();
    return {up(drawn.width()), up(drawn.height())};
}
