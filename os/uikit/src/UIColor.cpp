#include "uikit/UIColor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

struct CGColorSpace {};
struct CGColor {
    UIColor color;
};

CGColorSpaceRef CGColorSpaceCreateDeviceRGB() { return new CGColorSpace; }
void CGColorSpaceRelease(CGColorSpaceRef space) { delete space; }

CGColorRef CGColorCreate(CGColorSpaceRef space, const CGFloat components[4])
{
    if (!space || !components)
        return nullptr;
    return new CGColor{{components[0], components[1], components[2], components[3]}};
}

void CGColorRelease(CGColorRef color) { delete color; }

UIColor UIColor::colorWithCGColor(CGColorRef color)
{
    return color ? color->color : UIColor::clearColor();
}

std::string UIColor::hexString() const
{
    auto byte = [](CGFloat c) { return int(std::lround(std::clamp(c, 0.f, 1.f) * 255)); };
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(red_), byte(green_), byte(blue_));
    return text;
}
