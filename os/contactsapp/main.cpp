// The bundle's program: answers --help and --version, hands a second start (and the file it was
// given) over to the running Contacts, and loads the application only for a start that runs it.
#include "foundation/ApplicationFront.h"

namespace {

constexpr const char* kUsage = R"(Usage: Contacts [FILE.vcf | --help | --version]
The persons of the device's address book: find, add, edit and remove them. A vCard file given
is imported into the book. One runs per device: a second start brings the running one's window
to the front and hands it the file it was given.

  --help      show this text
  --version   show the version
)";

} // namespace

int main(int argc, char** argv)
{
    return os::run_application_front(argc, argv,
                                     {.usage = kUsage,
                                      .library = "ContactsApplication.so",
                                      .opens_files = true,
                                      .job_option = {}});
}
