#pragma once
// An outline to fill, stroke or clip to in the current graphics context (UIGraphics.h):
// rectangles, rounded rectangles, ovals, or lines and curves added point by point. A value:
// copies are independent, and drawing changes nothing in it. Main thread only.
#include "uikit/CGGeometry.h"
#include "uikit/UIGraphics.h"

#include <memory>

class UIBezierPath {
public:
    UIBezierPath();
    ~UIBezierPath();
    UIBezierPath(const UIBezierPath& other);
    UIBezierPath& operator=(const UIBezierPath& other);

    static UIBezierPath bezierPathWithRect(CGRect rect);
    static UIBezierPath bezierPathWithOvalInRect(CGRect rect);
    static UIBezierPath bezierPathWithRoundedRect_cornerRadius(CGRect rect, CGFloat cornerRadius);

    // A new subpath starts at the point; lines and curves go on from the last point added.
    void moveToPoint(CGPoint point);
    void addLineToPoint(CGPoint point);
    void addQuadCurveToPoint_controlPoint(CGPoint endPoint, CGPoint controlPoint);
    // A line back to the start of the current subpath.
    void closePath();
    // The other path's subpaths added to this one.
    void appendPath(const UIBezierPath& other);
    // The area both paths cover.
    UIBezierPath intersectionWithPath(const UIBezierPath& other) const;
    // The smallest rectangle holding every point of the path, control points included.
    CGRect bounds() const;

    // Where subpaths overlap, an area is inside by the nonzero winding rule, or by the even-odd
    // rule when this is set.
    void setUsesEvenOddFillRule(bool evenOdd);

    // Antialiased, with the context's fill colour, or the gradient.
    void fill() const;
    void fillWithGradient(const CGLinearGradient& gradient) const;
    // With the context's stroke colour, line width, cap and join.
    void stroke() const;
    // Drawing outside the path is dropped until the context's state is restored.
    void addClip() const;

    struct Outline;
    // For the toolkit's backend.
    const Outline& outline() const { return *outline_; }

private:
    std::unique_ptr<Outline> outline_;
};
