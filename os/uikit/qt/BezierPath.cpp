#include "Painting.h"
#include "uikit/UIBezierPath.h"

#include <QPainterPath>

using uikit::toQRect;

namespace {

QPointF toQPoint(CGPoint point) { return {point.x, point.y}; }

} // namespace

UIBezierPath::UIBezierPath() : outline_(std::make_unique<Outline>())
{
    outline_->path.setFillRule(Qt::WindingFill);
}

UIBezierPath::~UIBezierPath() = default;

UIBezierPath::UIBezierPath(const UIBezierPath& other)
    : outline_(std::make_unique<Outline>(*other.outline_))
{
}

UIBezierPath& UIBezierPath::operator=(const UIBezierPath& other)
{
    *outline_ = *other.outline_;
    return *this;
}

UIBezierPath UIBezierPath::bezierPathWithRect(CGRect rect)
{
    UIBezierPath path;
    path.outline_->path.addRect(toQRect(rect));
    return path;
}

UIBezierPath UIBezierPath::bezierPathWithOvalInRect(CGRect rect)
{
    UIBezierPath path;
    path.outline_->path.addEllipse(toQRect(rect));
    return path;
}

UIBezierPath UIBezierPath::bezierPathWithRoundedRect_cornerRadius(CGRect rect, CGFloat cornerRadius)
{
    UIBezierPath path;
    path.outline_->path.addRoundedRect(toQRect(rect), cornerRadius, cornerRadius);
    return path;
}

void UIBezierPath::moveToPoint(CGPoint point) { outline_->path.moveTo(toQPoint(point)); }

void UIBezierPath::addLineToPoint(CGPoint point) { outline_->path.lineTo(toQPoint(point)); }

void UIBezierPath::addQuadCurveToPoint_controlPoint(CGPoint endPoint, CGPoint controlPoint)
{
    outline_->path.quadTo(toQPoint(controlPoint), toQPoint(endPoint));
}

void UIBezierPath::closePath() { outline_->path.closeSubpath(); }

void UIBezierPath::appendPath(const UIBezierPath& other)
{
    outline_->path.addPath(other.outline_->path);
}

UIBezierPath UIBezierPath::intersectionWithPath(const UIBezierPath& other) const
{
    UIBezierPath both;
    both.outline_->path = outline_->path.intersected(other.outline_->path);
    both.outline_->path.setFillRule(outline_->path.fillRule());
    return both;
}

CGRect UIBezierPath::bounds() const
{
    const QRectF box = outline_->path.controlPointRect();
    return CGRectMake(CGFloat(box.x()), CGFloat(box.y()), CGFloat(box.width()),
                      CGFloat(box.height()));
}

void UIBezierPath::setUsesEvenOddFillRule(bool evenOdd)
{
    outline_->path.setFillRule(evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
}

void UIBezierPath::fill() const
{
    if (CGContext* context = uikit::currentContext(); context && context->painter)
        context->painter->fillPath(outline_->path, context->fill);
}

void UIBezierPath::fillWithGradient(const CGLinearGradient& gradient) const
{
    if (QPainter* painter = uikit::currentPainter())
        painter->fillPath(outline_->path, uikit::toQGradient(gradient));
}

void UIBezierPath::stroke() const
{
    CGContext* context = uikit::currentContext();
    if (!context || !context->painter)
        return;
    QPainter& painter = *context->painter;
    painter.save();
    painter.setPen(uikit::strokePen(*context));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline_->path);
    painter.restore();
}

void UIBezierPath::addClip() const
{
    if (QPainter* painter = uikit::currentPainter())
        painter->setClipPath(outline_->path, Qt::IntersectClip);
}
