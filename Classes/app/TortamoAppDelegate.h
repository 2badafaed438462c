#pragma once
// The application's delegate: at launch it upgrades the settings file and shows the window with
// the navigation controller of the main screen; when the window comes back to the front the
// main screen's list is brought up to date; at the end it tells the home-screen agent to read
// the settings again. The window and the navigation controller come from the main
// interface (MainWindow.h).
#include "uikit/UIApplication.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIWindow.h"

#include <memory>
#include <string>

class TortamoAppDelegate : public UIApplicationDelegate {
public:
    ~TortamoAppDelegate() override;

    // The full path of the settings file (a device path), not the path of its folder.
    static std::string databaseDirectory();

    // Brings a settings file of the older layout up to the current one.
    static void updateDatabase();

    void applicationDidFinishLaunching(UIApplication* application) override;
    // Tells the home-screen agent to read the settings again.
    void applicationWillTerminate(UIApplication* application) override;
    // The window came to the front: the main screen brings its list up to date.
    void applicationDidBecomeActive(UIApplication* application) override;

    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UINavigationController> navigationController;
};
