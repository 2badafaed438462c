#pragma once
// The one screen: 320 x 480 points under a 20-point status bar.
#include "uikit/CGGeometry.h"

class UIScreen {
public:
    // The screen's size in points, like the standard sizes of the bars and the picker.
    static constexpr CGSize standardSize{320, 480};

    static UIScreen& mainScreen();
    // 0, 0, 320, 480.
    CGRect bounds() const;
    // The screen below the status bar: 0, 20, 320, 460.
    CGRect applicationFrame() const;

private:
    UIScreen() = default;
};
