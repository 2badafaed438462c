#include "TortamoAppDelegate.h"

#include "Settings.h"
#include "notify/NotifyCenter.h"

std::string TortamoAppDelegate::databaseDirectory() { return settings::kDatabasePath; }

void TortamoAppDelegate::updateDatabase() { settings::updateDatabase(); }

void TortamoAppDelegate::applicationWillTerminate(UIApplication* /*application*/) {
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         settings::kChangeNotice, nullptr, nullptr, true);
}
