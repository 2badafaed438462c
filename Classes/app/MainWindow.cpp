#include "MainWindow.h"

#include "RootViewController.h"
#include "uikit/UIScreen.h"

std::unique_ptr<TortamoAppDelegate> loadMainWindow()
{
    auto delegate = std::make_unique<TortamoAppDelegate>();
    delegate->window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    delegate->navigationController =
        std::make_shared<UINavigationController>(std::make_shared<RootViewController>());
    return delegate;
}
