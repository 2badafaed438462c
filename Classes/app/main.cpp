// The bundle's program: answers --help and --version, hands a second start over to the running
// Tortamos, and loads the application only for a start that runs it.
#include "foundation/ApplicationFront.h"

namespace {

constexpr const char* kUsage = R"(Usage: Tortamos [-updateDB | --help | --version]
The birthdays of the device's address book: coming up this year, all by date, all by name.
One runs per device: a second start brings the running one's window to the front.

  -updateDB   bring the settings file up to the current layout, show nothing, and end
  --help      show this text
  --version   show the version
)";

} // namespace

int main(int argc, char** argv)
{
    return os::run_application_front(argc, argv,
                                     {.usage = kUsage,
                                      .library = "TortamosApplication.so",
                                      .opens_files = false,
                                      .job_option = "-updateDB"});
}
