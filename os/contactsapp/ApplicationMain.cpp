// The Contacts application itself, loaded by the bundle's program (main.cpp) once this start is
// known to run it. A file named on the command line (a .vcf opened from the file manager) is
// imported once the list shows.
#include "ContactsAppDelegate.h"
#include "foundation/ApplicationFront.h"

#include <optional>

extern "C" __attribute__((visibility("default"))) int application_main(
    const os::ApplicationStart& start)
{
    std::optional<std::filesystem::path> file;
    if (!start.files.empty())
        file = start.files.front();
    if (start.running_copy)
        UIApplicationListenForHandOvers();
    return UIApplicationMain(start.argc, start.argv,
                             [file] { return std::make_unique<ContactsAppDelegate>(file); });
}
