#pragma once
// Colours as device RGB components from 0 to 1, with alpha. A plain value: copy it freely.
#include "uikit/CGGeometry.h"

#include <string>

// The CoreGraphics way of making a colour from four components.
struct CGColorSpace;
struct CGColor;
using CGColorSpaceRef = CGColorSpace*;
using CGColorRef = CGColor*;
CGColorSpaceRef CGColorSpaceCreateDeviceRGB();
void CGColorSpaceRelease(CGColorSpaceRef space);
// components: red, green, blue, alpha.
CGColorRef CGColorCreate(CGColorSpaceRef space, const CGFloat components[4]);
void CGColorRelease(CGColorRef color);

class UIColor {
public:
    constexpr UIColor() = default;
    constexpr UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
        : red_(red), green_(green), blue_(blue), alpha_(alpha)
    {
    }

    static UIColor colorWithCGColor(CGColorRef color);

    static UIColor blackColor() { return {0, 0, 0, 1}; }
    static UIColor darkGrayColor() { return {1.f / 3, 1.f / 3, 1.f / 3, 1}; }
    static UIColor grayColor() { return {0.5, 0.5, 0.5, 1}; }
    static UIColor whiteColor() { return {1, 1, 1, 1}; }
    static UIColor clearColor() { return {0, 0, 0, 0}; }
    static UIColor redColor() { return {1, 0, 0, 1}; }
    static UIColor greenColor() { return {0, 1, 0, 1}; }
    static UIColor blueColor() { return {0, 0, 1, 1}; }
    static UIColor purpleColor() { return {0.5, 0, 0.5, 1}; }
    static UIColor brownColor() { return {0.6f, 0.4f, 0.2f, 1}; }

    CGFloat red() const { return red_; }
    CGFloat green() const { return green_; }
    CGFloat blue() const { return blue_; }
    CGFloat alpha() const { return alpha_; }

    // "#rrggbb", each component rounded to the nearest of 0..255; alpha is left out.
    std::string hexString() const;

    friend bool operator==(const UIColor&, const UIColor&) = default;

private:
    CGFloat red_ = 0;
    CGFloat green_ = 0;
    CGFloat blue_ = 0;
    CGFloat alpha_ = 0;
};
