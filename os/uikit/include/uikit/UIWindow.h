#pragma once
// A window fills the screen. makeKeyAndVisible puts it on the screen, on top of the windows
// already there, for as long as its maker holds it: the screen does not keep windows.
#include "uikit/UIView.h"

class UIWindow : public UIView {
public:
    explicit UIWindow(CGRect frame = CGRectZero);
    std::string className() const override { return "UIWindow"; }

    void makeKeyAndVisible();
    bool isKeyWindow() const;
    // The window made key last; nullptr before any.
    static UIWindow* keyWindow();
};
