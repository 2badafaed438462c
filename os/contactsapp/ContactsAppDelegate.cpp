#include "ContactsAppDelegate.h"

#include "ContactsListViewController.h"

#include "addressbook/DeviceAddressBook.h"
#include "uikit/UIScreen.h"

ContactsAppDelegate::~ContactsAppDelegate()
{
    // The controllers' views leave the window before the window goes.
    navigationController.reset();
    window.reset();
}

void ContactsAppDelegate::applicationDidFinishLaunching(UIApplication* /*application*/)
{
    window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    navigationController = std::make_shared<UINavigationController>(
        std::make_shared<ContactsListViewController>(std::make_shared<ab::DeviceAddressBook>()));
    window->addSubview(navigationController->view());
    window->makeKeyAndVisible();
}
