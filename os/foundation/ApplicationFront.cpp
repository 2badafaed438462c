#include "foundation/ApplicationFront.h"

#include "foundation/Bundle.h"
#include "foundation/CommandLine.h"
#include "foundation/Log.h"
#include "foundation/OneRunningCopy.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace os {
namespace {

// Long enough for a copy that has just taken the lock to start listening, even on a loaded
// machine; a copy that says nothing for this long is hung.
constexpr std::chrono::seconds kHandOverPatience{10};

// False when another copy took the start over: this process then ends.
bool become_the_running_copy(const std::vector<std::filesystem::path>& files, bool& running_copy)
{
    const std::string identifier = NSBundle::mainBundle().bundleIdentifier();
    if (identifier.empty())
        return true;
    switch (claim_running_copy(identifier)) {
    case RunningCopy::ThisProcess: running_copy = true; return true;
    case RunningCopy::Unavailable: return true;
    case RunningCopy::Another: break;
    }
    std::vector<std::string> request;
    for (const auto& file : files)
        request.push_back(file.string());
    if (hand_over(identifier, request, kHandOverPatience))
        return false;
    NSLog("%s: the running copy on this device does not answer; starting another",
          identifier.c_str());
    return true;
}

} // namespace

int run_application_front(int argc, char** argv, const ApplicationFront& front)
{
    if (answered_help_or_version(argc, argv, front.usage))
        return 0;
    ApplicationStart start{argc, argv, {}, false};
    // The path is made absolute here: the running copy it may be handed to runs in another
    // folder.
    if (front.opens_files && argc > 1 && argv[argc - 1][0] != '-') {
        std::error_code error;
        start.files.push_back(std::filesystem::absolute(argv[argc - 1], error));
    }
    const bool job = !front.job_option.empty() && argc == 2 && argv[1] == front.job_option;
    if (!job && !become_the_running_copy(start.files, start.running_copy))
        return 0;

    const auto library = NSBundle::mainBundle().bundlePath() / front.library;
    // Each library binds as it was linked, as at a program's start: RTLD_NOW would bind every
    // call of the system's lazily linked libraries too, most of which a start never makes.
    void* handle = dlopen(library.c_str(), RTLD_LAZY | RTLD_LOCAL);
    const auto entry =
        handle ? reinterpret_cast<decltype(&application_main)>(dlsym(handle, "application_main"))
               : nullptr;
    if (entry == nullptr) {
        std::fprintf(stderr, "%s: cannot load the application: %s\n", argv[0], dlerror());
        return 1;
    }
    return entry(start);
}

} // namespace os
