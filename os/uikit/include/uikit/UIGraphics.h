#pragma once
// Graphics contexts: the screen while views draw, or an offscreen image context. Contexts form a
// stack per process; drawing calls go to the top one and do nothing when there is none. Main
// thread only.
#include "uikit/CGGeometry.h"
#include "uikit/UIColor.h"

#include <memory>
#include <vector>

class UIImage;
struct CGContext;
using CGContextRef = CGContext*;

CGContextRef UIGraphicsGetCurrentContext();

// A transparent image of the size (in points, rounded to whole pixels) becomes the current context.
void UIGraphicsBeginImageContext(CGSize size);
// A copy of what the current image context holds; nullptr when the current context is no image.
std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext();
// Drops the current image context; does nothing when the current context is no image.
void UIGraphicsEndImageContext();

// Sets the colour that fills and text drawing use in the current context.
void UIGraphicsSetFillColor(const UIColor& color);
void UIRectFill(CGRect rect);

// Shapes in the current context, antialiased: filled with the fill colour, or outlined with the
// stroke colour and line width (1 point, black, at first).
void UIGraphicsSetStrokeColor(const UIColor& color);
void UIGraphicsSetLineWidth(CGFloat width);
void UIEllipseFill(CGRect rect);
void UIEllipseStroke(CGRect rect);
void UIRoundedRectFill(CGRect rect, CGFloat radius);
void UIRoundedRectStroke(CGRect rect, CGFloat radius);
// The upper half of the ellipse in the rectangle, closed along its middle, filled.
void UIUpperHalfEllipseFill(CGRect rect);
// A straight line with flat ends.
void UILineStroke(CGPoint from, CGPoint to);
// A rectangle's outline.
void UIRectStroke(CGRect rect);

// How strokes end and turn: flat ends and bevelled corners at first.
enum CGLineCap { kCGLineCapButt, kCGLineCapRound, kCGLineCapSquare };
enum CGLineJoin { kCGLineJoinMiter, kCGLineJoinRound, kCGLineJoinBevel };
void UIGraphicsSetLineCap(CGLineCap cap);
void UIGraphicsSetLineJoin(CGLineJoin join);

// Colours blended along the line from start to end, each at its location from 0 (the start) to
// 1 (the end); beyond either end, that end's colour.
struct CGLinearGradient {
    struct Stop {
        CGFloat location;
        UIColor color;
    };
    CGPoint start;
    CGPoint end;
    std::vector<Stop> stops;

    // From top at the rectangle's top edge to bottom at its bottom edge.
    static CGLinearGradient vertical(CGRect rect, const UIColor& top, const UIColor& bottom);
};
void UIRectFillWithGradient(CGRect rect, const CGLinearGradient& gradient);

// The context's state (fill, stroke, line, clip) pushed on its stack; the matching restore
// brings it back. Every save is restored before the drawing that made it ends.
void CGContextSaveGState(CGContextRef context);
void CGContextRestoreGState(CGContextRef context);
// Drawing outside the rectangle is dropped until the state is restored.
void UIRectClip(CGRect rect);
