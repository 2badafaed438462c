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
    list_.reset();
    window.reset();
}

void ContactsAppDelegate::applicationDidFinishLaunching(UIApplication* /*application*/)
{
    window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    book_ = std::make_shared<ab::DeviceAddressBook>();
    list_ = std::make_shared<ContactsListViewController>(book_);
    navigationController = std::make_shared<UINavigationController>(list_);
    window->addSubview(navigationController->view());
    window->makeKeyAndVisible();
    if (fileToImport_)
        application_openFile(nullptr, *fileToImport_);
}

void ContactsAppDelegate::application_openFile(UIApplication* /*application*/,
                                               const std::filesystem::path& file)
{
    if (!book_)
        return;
    contactsapp::importFile(file, book_, [list = list_] { list->reloadPersons(); });
}
