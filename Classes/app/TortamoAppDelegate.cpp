#include "TortamoAppDelegate.h"

#include "Settings.h"
#include "notify/NotifyCenter.h"

TortamoAppDelegate::~TortamoAppDelegate()
{
    navigationController.reset();
    window.reset();
}

std::string TortamoAppDelegate::databaseDirectory() { return settings::kDatabasePath; }

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
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         settings::kChangeNotice, nullptr, nullptr, true);
}
