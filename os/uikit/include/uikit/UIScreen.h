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

    // On a desktop the screen is one window. A program that lives on in the background hides it
    // and shows it again on demand. Before UIApplicationMain: whether the window comes up at all.
    void setWindowVisible(bool visible);
    bool isWindowVisible() const;
    // While set, closing the window hides it and the program goes on; otherwise closing it ends
    // the program.
    void setClosingHidesWindow(bool hides);

private:
    UIScreen() = default;
};
