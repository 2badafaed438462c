#include "ApplicationLauncher.h"

#include "foundation/Device.h"
#include "foundation/Journal.h"
#include "foundation/Log.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace springboard {
namespace {

// This process's environment for the application: on the same device, without the home screen's
// automation script, which is not the application's to run.
std::vector<std::string> application_environment()
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        if (text.starts_with("DEVICE_ROOT=") || text.starts_with("UIKIT_AUTOMATION="))
            continue;
        entries.emplace_back(text);
    }
    entries.push_back("DEVICE_ROOT=" + os::device_root().string());
    return entries;
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> result;
    for (std::string& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

} // namespace

bool launch_application(const InstalledApplication& application)
{
    // Everything the new process needs is made before the fork: after it, only calls that are
    // safe in a child of a threaded process.
    std::vector<std::string> arguments{application.executable.string()};
    std::vector<std::string> environment = application_environment();
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);
    const std::string folder = application.bundle.string();

    // The grandchild reports a failed exec through this pipe; a successful one closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        // The middle process ends at once, so the application is nobody's child to wait for and
        // outlives the home screen.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild <= 0) {
            if (grandchild == 0 && ::chdir(folder.c_str()) == 0)
                ::execve(argv[0], argv.data(), envp.data());
            const int error = errno;
            [[maybe_unused]] ssize_t written = ::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int error = child < 0 ? errno : 0;
    if (child > 0) {
        ::waitpid(child, nullptr, 0);
        ssize_t got;
        while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {}
        if (got != static_cast<ssize_t>(sizeof error))
            error = 0;
    }
    ::close(report[0]);
    if (error != 0) {
        NSLog("SpringBoard: %s could not be started", application.identifier.c_str());
        return false;
    }
    os::journal("launch " + application.identifier);
    return true;
}

} // namespace springboard
