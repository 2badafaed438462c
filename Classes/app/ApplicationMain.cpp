// The application itself, loaded by the bundle's program (main.cpp) once this start is known to
// run it.
#include "MainWindow.h"
#include "foundation/ApplicationFront.h"

#include <cstring>

extern "C" __attribute__((visibility("default"))) int application_main(
    const os::ApplicationStart& start)
{
    // The package's post-install step: upgrade the settings file, show nothing, always succeed.
    if (start.argc == 2 && std::strcmp(start.argv[1], "-updateDB") == 0) {
        TortamoAppDelegate::updateDatabase();
        return 0;
    }
    if (start.running_copy)
        UIApplicationListenForHandOvers();
    return UIApplicationMain(start.argc, start.argv, [] { return loadMainWindow(); });
}
