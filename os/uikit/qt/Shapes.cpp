#include "Painting.h"

#include <QPainterPath>

namespace {

// Runs the drawing with the context's painter, its state restored afterwards; nothing without one.
template <class Draw>
void withPainter(Draw draw)
{
    CGContext* context = uikit::currentContext();
    if (!context || !context->painter)
        return;
    QPainter& painter = *context->painter;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, *context);
    painter.restore();
}

void fillWith(QPainter& painter, const CGContext& context)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(context.fill);
}

void strokeWith(QPainter& painter, const CGContext& context)
{
    painter.setPen(uikit::strokePen(context));
    painter.setBrush(Qt::NoBrush);
}

} // namespace

using uikit::toQRect;

void UIGraphicsSetStrokeColor(const UIColor& color)
{
    if (CGContext* context = uikit::currentContext())
        context->stroke = uikit::toQColor(color);
}

void UIGraphicsSetLineWidth(CGFloat width)
{
    if (CGContext* context = uikit::currentContext())
        context->lineWidth = width;
}

void UIGraphicsSetLineCap(CGLineCap cap)
{
    if (CGContext* context = uikit::currentContext())
        context->lineCap = cap == kCGLineCapRound    ? Qt::RoundCap
                           : cap == kCGLineCapSquare ? Qt::SquareCap
                                                     : Qt::FlatCap;
}

void UIGraphicsSetLineJoin(CGLineJoin join)
{
    if (CGContext* context = uikit::currentContext())
        context->lineJoin = join == kCGLineJoinRound   ? Qt::RoundJoin
                            : join == kCGLineJoinMiter ? Qt::MiterJoin
                                                       : Qt::BevelJoin;
}

void UIEllipseFill(CGRect rect)
{
    withPainter([&](QPainter& painter, const CGContext& context) {
        fillWith(painter, context);
        painter.drawEllipse(toQRect(rect));
    });
}

void UIEllipseStroke(CGRect rect)
{
    withPainter([&](QPainter& painter, const CGContext& context) {
        strokeWith(painter, context);
        painter.drawEllipse(toQRect(rect));
    });
}

void UIRoundedRectFill(CGRect rect, CGFloat radius)
{
    withPainter([&](QPainter& painter, const CGContext& context) {
        fillWith(painter, context);
        painter.drawRoundedRect(toQRect(rect), radius, radius);
    });
}

void UIRoundedRectStroke(CGRect rect, CGFloat radius)
{
    withPainter([&](QPainter& painter, const CGContext& context) {
        strokeWith(painter, context);
        painter.drawRoundedRect(toQRect(rect), radius, radius);
    });
}

void UIUpperHalfEllipseFill(CGRect rect)
{
    withPainter([&](QPainter& painter, const CGContext& context) {
        fillWith(painter, context);
        painter.drawChord(toQRect(rect), 0, 180 * 16);
    });
}

void UILineStroke(CGPoint from, CGPoint to)
{
    withPainter([&](QPainter& painter, const CGContext& context) {
        strokeWith(painter, context);
        painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
    });
}

void UIRectStroke(CGRect rect)
{
    withPainter([&](QPainter& painter, const CGContext& context) {
        strokeWith(painter, context);
        painter.drawRect(toQRect(rect));
    });
}
