#include "TortamoAppDelegate.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // The package's post-install step: upgrade the settings file, show nothing, always succeed.
    if (argc == 2 && std::strcmp(argv[1], "-updateDB") == 0) {
        TortamoAppDelegate::updateDatabase();
        return 0;
    }
    std::fputs("Tortamos: this build has no user interface yet; only -updateDB is available\n",
               stderr);
    return 1;
}
