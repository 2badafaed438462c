#include "InfoViewController.h"
#include "RootViewController.h"
#include "foundation/Bundle.h"

// The tab bar's Settings item (its tag is already remembered by tabBar_didSelectItem): a new
// settings screen each time, presented over the main screen. The presentation keeps it alive
// until it closes itself; the main screen's list is neither rebuilt nor reloaded.
void RootViewController::presentSettingsScreen()
{
    if (!ivControllerToolbar)
        ivControllerToolbar =
            std::make_shared<InfoViewController>("InfoView", &NSBundle::mainBundle());
    ivControllerToolbar->setIsViewPushed(false);
    if (!infoNavController)
        infoNavController = std::make_shared<UINavigationController>(ivControllerToolbar);
    // Presented from the main screen's navigation controller, the container it is in.
    presentModalViewController_animated(infoNavController, true);
    ivControllerToolbar.reset();
    infoNavController.reset();
}
