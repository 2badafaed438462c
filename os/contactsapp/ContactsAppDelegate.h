#pragma once
// The Contacts application's delegate: at launch it shows the window with a navigation
// controller whose root is the list of persons of the device's address book.
#include "uikit/UIApplication.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIWindow.h"

#include <memory>

class ContactsAppDelegate : public UIApplicationDelegate {
public:
    ~ContactsAppDelegate() override;

    void applicationDidFinishLaunching(UIApplication* application) override;

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UINavigationController> navigationController;
};
