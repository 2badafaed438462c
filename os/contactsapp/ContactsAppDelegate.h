#pragma once
// The Contacts application's delegate: at launch it shows the window with a navigation
// controller whose root is the list of persons of the device's address book, and imports the
// vCard file it was started with, if any.
#include "uikit/UIApplication.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIWindow.h"

#include <filesystem>
#include <memory>
#include <optional>

class ContactsAppDelegate : public UIApplicationDelegate {
public:
    explicit ContactsAppDelegate(std::optional<std::filesystem::path> fileToImport = std::nullopt);
    ~ContactsAppDelegate() override;

    void applicationDidFinishLaunching(UIApplication* application) override;

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UINavigationController> navigationController;

private:
    std::optional<std::filesystem::path> fileToImport_;
};
