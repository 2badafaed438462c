#pragma once
// A PNG of one colour, made with the toolkit itself: a photo for a person or an image view.
#include "uikit/UIGraphics.h"
#include "uikit/UIImage.h"

#include <vector>

inline std::vector<unsigned char> solidPng(CGSize size, const UIColor& color = UIColor::blueColor())
{
    UIGraphicsBeginImageContext(size);
    UIGraphicsSetFillColor(color);
    UIRectFill({{0, 0}, size});
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return UIImagePNGRepresentation(image);
}
