#pragma once
// The system font in a size and weight. A plain value: copy it freely.
#include "uikit/CGGeometry.h"

class UIFont {
public:
    static UIFont systemFontOfSize(CGFloat size) { return UIFont(size, false); }
    static UIFont boldSystemFontOfSize(CGFloat size) { return UIFont(size, true); }

    CGFloat pointSize() const { return size_; }
    bool isBold() const { return bold_; }
    // The height of one line of text in this font, in points.
    CGFloat lineHeight() const;

    friend bool operator==(const UIFont&, const UIFont&) = default;

private:
    UIFont(CGFloat size, bool bold) : size_(size), bold_(bold) {}
    CGFloat size_;
    bool bold_;
};
