#include "uikit/UIScreen.h"

#include "Screen.h"
#include "uikit/UIWindow.h"

UIScreen& UIScreen::mainScreen()
{
    static UIScreen screen;
    return screen;
}

CGRect UIScreen::bounds() const { return {{0, 0}, standardSize}; }

CGRect UIScreen::applicationFrame() const
{
    return CGRectMake(0, 20, standardSize.width, standardSize.height - 20);
}

void UIScreen::setWindowVisible(bool visible) { uikit::Screen::shared().setWindowVisible(visible); }

bool UIScreen::isWindowVisible() const { return uikit::Screen::shared().isWindowVisible(); }

void UIScreen::setClosingHidesWindow(bool hides)
{
    uikit::Screen::shared().setClosingHidesWindow(hides);
}

UIWindow::UIWindow(CGRect frame)
    : UIView(frame == CGRectZero ? UIScreen::mainScreen().bounds() : frame)
{
}

void UIWindow::makeKeyAndVisible()
{
    setHidden(false);
    uikit::Screen::shared().addWindow(std::static_pointer_cast<UIWindow>(shared_from_this()));
}

bool UIWindow::isKeyWindow() const { return uikit::Screen::shared().keyWindow() == this; }

UIWindow* UIWindow::keyWindow() { return uikit::Screen::shared().keyWindow(); }
