#include "ContactsAppDelegate.h"

#include <filesystem>
#include <optional>

// A file named on the command line (a .vcf opened from the file manager) is imported once the
// list shows. The path is made absolute first: the program may run in another folder.
int main(int argc, char** argv)
{
    std::optional<std::filesystem::path> file;
    if (argc > 1 && argv[argc - 1][0] != '-') {
        std::error_code error;
        file = std::filesystem::absolute(argv[argc - 1], error);
    }
    return UIApplicationMain(argc, argv,
                             [file] { return std::make_unique<ContactsAppDelegate>(file); });
}
