#pragma once
// Colours written as the toolkit's drawing writes them: components from 0 to 255.
#include "uikit/UIColor.h"

namespace uikit {

constexpr UIColor rgb(int red, int green, int blue, int alpha = 255)
{
    return {CGFloat(red) / 255.f, CGFloat(green) / 255.f, CGFloat(blue) / 255.f,
            CGFloat(alpha) / 255.f};
}

} // namespace uikit
