#pragma once
// The application's delegate. For now it carries what the settings file and the change notice
// need; the window and the main screen come with the interface.
#include <string>

class UIApplication;

class TortamoAppDelegate {
public:
    // The full path of the settings file (a device path), not the path of its folder.
    static std::string databaseDirectory();

    // Brings a settings file of the older layout up to the current one.
    static void updateDatabase();

    // Tells the home-screen agent to read the settings again.
    void applicationWillTerminate(UIApplication* application);
};
