#include "ContactsAppDelegate.h"

#include "ContactsListViewController.h"
#include "ImportFlow.h"

#include "addressbook/DeviceAddressBook.h"
#include "uikit/UIScreen.h"

ContactsAppDelegate::ContactsAppDelegate(std::optional<std::filesystem::path> fileToImport)
    : fileToImport_(std::move(fileToImport))
{
}

ContactsAppDelegate::~ContactsAppDelegate()
{
    // The controllers' views leave the window before the window goes.
    navigationController.reset();
    window.reset();
}

void ContactsAppDelegate::applicationDidFinishLaunching(UIApplication* /*application*/)
{
    window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    auto book = std::make_shared<ab::DeviceAddressBook>();
    auto list = std::make_shared<ContactsListViewController>(book);
    navigationController = std::make_shared<UINavigationController>(list);
    window->addSubview(navigationController->view());
    window->makeKeyAndVisible();
    if (fileToImport_)
        contactsapp::importFile(*fileToImport_, book, [list] { list->reloadPersons(); });
}
