#pragma once
// The Contacts application's delegate: at launch it shows the window with a navigation
// controller whose root is the list of persons of the device's address book, and imports the
// vCard file it was started with, if any, and each one a later start hands over.
#include "addressbook/AddressBook.h"
#include "uikit/UIApplication.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIWindow.h"

#include <filesystem>
#include <memory>
#include <optional>

class ContactsListViewController;

class ContactsAppDelegate : public UIApplicationDelegate {
public:
    explicit ContactsAppDelegate(std::optional<std::filesystem::path> fileToImport = std::nullopt);
    ~ContactsAppDelegate() override;

    void applicationDidFinishLaunching(UIApplication* application) override;
    // Imports the file, with the alert an import shows.
    void application_openFile(UIApplication* application,
                              const std::filesystem::path& file) override;

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UINavigationController> navigationController;

private:
    std::optional<std::filesystem::path> fileToImport_;
    std::shared_ptr<ab::AddressBook> book_;
    std::shared_ptr<ContactsListViewController> list_;
};
