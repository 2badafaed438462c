#pragma once
// The first program of an application bundle. A second start of a running application only has
// to hand its files over and leave; loading the toolkit for that (Qt, ICU, fontconfig, D-Bus:
// some fifty libraries) would cost more than the hand-over itself. So the bundle's program links
// this library alone: it answers --help and --version, takes the device's running copy or hands
// over to the copy that holds it, and only then loads the application's own code, a library
// beside it, and runs its entry point in this same process. The lock taken here is held by the
// process from the claim to its end, so no second copy can slip in while the application loads.
#include <filesystem>
#include <string_view>
#include <vector>

namespace os {

// What the front found out before the application runs.
struct ApplicationStart {
    int argc = 0;
    char** argv = nullptr;
    // The file named on the command line, made absolute, when the application opens files.
    std::vector<std::filesystem::path> files;
    // This process holds the device's copy: the application listens for later starts.
    bool running_copy = false;
};

struct ApplicationFront {
    std::string_view usage; // the whole --help text
    std::string_view library; // the application's code, a file in the bundle's folder
    // A last argument that is not an option names a file, handed to the running copy.
    bool opens_files = false;
    // An option that does a job, shows nothing and ends (a package's upgrade step): it runs
    // beside a running copy, never hands over.
    std::string_view job_option;
};

// The bundle program's whole main. Returns the exit status: 0 after a hand-over, the
// application's own status, or 1 (told on standard error) when its library cannot be loaded.
int run_application_front(int argc, char** argv, const ApplicationFront& front);

} // namespace os

// The entry point that the application's library defines, looked up by this name.
extern "C" int application_main(const os::ApplicationStart& start);
