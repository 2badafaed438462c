#include "TortamoAppDelegate.h"

#include "ChangeNotice.h"
#include "RootViewController.h"
#include "Settings.h"
#include "shared/SettingsFile.h"

TortamoAppDelegate::~TortamoAppDelegate()
{
    navigationController.reset();
    window.reset();
}

std::string TortamoAppDelegate::databaseDirectory() { return tortamos::settings_file::kPath; }

void TortamoAppDelegate::updateDatabase() { settings::updateDatabase(); }

void TortamoAppDelegate::applicationDidFinishLaunching(UIApplication* /*application*/)
{
    // Before any screen reads the settings, so the table has all its columns.
    updateDatabase();
    window->addSubview(navigationController->view());
    window->makeKeyAndVisible();
}

void TortamoAppDelegate::applicationWillTerminate(UIApplication* /*application*/)
{
    postChangeNotice();
}

void TortamoAppDelegate::applicationDidBecomeActive(UIApplication* /*application*/)
{
    if (!navigationController || navigationController->viewControllers().empty())
        return;
    if (auto* root = dynamic_cast<RootViewController*>(
            navigationController->viewControllers().front().get()))
        root->bringUpToDate();
}
