#include "MainWindow.h"

#include <cstring>

int main(int argc, char** argv)
{
    // The package's post-install step: upgrade the settings file, show nothing, always succeed.
    if (argc == 2 && std::strcmp(argv[1], "-updateDB") == 0) {
        TortamoAppDelegate::updateDatabase();
        return 0;
    }
    return UIApplicationMain(argc, argv, [] { return loadMainWindow(); });
}
