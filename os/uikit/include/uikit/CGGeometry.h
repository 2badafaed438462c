#pragma once
// Geometry in points, single precision like CGFloat on the device. One point is one pixel of the
// 320 x 480 screen.

using CGFloat = float;

struct CGPoint {
    CGFloat x = 0;
    CGFloat y = 0;
    friend bool operator==(const CGPoint&, const CGPoint&) = default;
};

struct CGSize {
    CGFloat width = 0;
    CGFloat height = 0;
    friend bool operator==(const CGSize&, const CGSize&) = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;
    friend bool operator==(const CGRect&, const CGRect&) = default;
};

inline constexpr CGRect CGRectZero{};

constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) { return {x, y}; }
constexpr CGSize CGSizeMake(CGFloat width, CGFloat height) { return {width, height}; }
constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height)
{
    return {{x, y}, {width, height}};
}

constexpr CGFloat CGRectGetMinX(const CGRect& r) { return r.origin.x; }
constexpr CGFloat CGRectGetMinY(const CGRect& r) { return r.origin.y; }
constexpr CGFloat CGRectGetMaxX(const CGRect& r) { return r.origin.x + r.size.width; }
constexpr CGFloat CGRectGetMaxY(const CGRect& r) { return r.origin.y + r.size.height; }
constexpr CGFloat CGRectGetMidX(const CGRect& r) { return r.origin.x + r.size.width / 2; }
constexpr CGFloat CGRectGetMidY(const CGRect& r) { return r.origin.y + r.size.height / 2; }
constexpr bool CGRectIsEmpty(const CGRect& r) { return r.size.width <= 0 || r.size.height <= 0; }

// Half-open: a point on the right or bottom edge is outside.
constexpr bool CGRectContainsPoint(const CGRect& r, CGPoint p)
{
    return p.x >= CGRectGetMinX(r) && p.x < CGRectGetMaxX(r) && p.y >= CGRectGetMinY(r) &&
           p.y < CGRectGetMaxY(r);
}

// The common part of two rectangles; an empty rectangle at the origin of a when they do not meet.
CGRect CGRectIntersection(const CGRect& a, const CGRect& b);
CGRect CGRectOffset(const CGRect& r, CGFloat dx, CGFloat dy);
CGRect CGRectInset(const CGRect& r, CGFloat dx, CGFloat dy);
