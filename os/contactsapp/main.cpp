#include "ContactsAppDelegate.h"

#include "foundation/CommandLine.h"

#include <filesystem>
#include <optional>

namespace {

constexpr const char* kUsage = R"(Usage: Contacts [FILE.vcf | --help | --version]
The persons of the device's address book: find, add, edit and remove them. A vCard file given
is imported into the book. One runs per device: a second start brings the running one's window
to the front and hands it the file it was given.

  --help      show this text
  --version   show the version
)";

} // namespace

// A file named on the command line (a .vcf opened from the file manager) is imported once the
// list shows. The path is made absolute first: the program may run in another folder, and the
// running copy it may be handed to surely does.
int main(int argc, char** argv)
{
    if (os::answered_help_or_version(argc, argv, kUsage))
        return 0;
    std::optional<std::filesystem::path> file;
    if (argc > 1 && argv[argc - 1][0] != '-') {
        std::error_code error;
        file = std::filesystem::absolute(argv[argc - 1], error);
    }
    if (!UIApplicationBecomeTheRunningCopy(file ? std::vector{*file}
                                                : std::vector<std::filesystem::path>{}))
        return 0;
    return UIApplicationMain(argc, argv,
                             [file] { return std::make_unique<ContactsAppDelegate>(file); });
}
