// notifyutil: posts a notice to the other processes of the device, or waits for one.
#include "DeviceEndpoints.h"
#include "foundation/CommandLine.h"
#include "notify/NotifyCenter.h"

#include <poll.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: notifyutil -p NAME            post NAME to the other processes of the device;\n"
    "                                    exit 1 when none listens\n"
    "       notifyutil -w NAME [SECONDS]  wait for NAME (10 s by default); exit 1 on timeout\n"
    "       notifyutil --help | --version\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

// Waits on an endpoint of its own for the name; true when it came in time.
bool wait_for(std::string_view name, std::chrono::seconds limit)
{
    std::optional<os::notify::Endpoint> endpoint = os::notify::Endpoint::open();
    if (!endpoint)
        return false;
    std::printf("waiting for %.*s\n", static_cast<int>(name.size()), name.data());
    std::fflush(stdout);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd readable{endpoint->fd(), POLLIN, 0};
        if (::poll(&readable, 1, static_cast<int>(left.count())) < 0 && errno != EINTR)
            return false;
        for (const std::string& got : endpoint->receive_all())
            if (got == name) {
                std::printf("%s\n", got.c_str());
                std::fflush(stdout);
                return true;
            }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (os::answered_help_or_version(argc, argv, kUsage))
        return 0;
    if (argc < 3)
        return usage();
    if (!os::notify::is_valid_name(argv[2])) {
        std::fprintf(stderr,
                     "notifyutil: a name has 1 to %zu characters and no control characters\n",
                     os::notify::kMaxNameLength);
        return 2;
    }
    const std::string_view mode = argv[1];
    if (mode == "-p" && argc == 3) {
        if (os::notify::post(CFNotificationCenterGetDarwinNotifyCenter(), argv[2]) == 0) {
            std::fprintf(stderr,
                         "notifyutil: no other process of the device listens: %s reached no one\n",
                         argv[2]);
            return 1;
        }
        return 0;
    }
    if (mode != "-w" || argc > 4)
        return usage();

    int seconds = 10;
    if (argc == 4) {
        const char* text = argv[3];
        const char* end = text + std::strlen(text);
        const auto [stop, error] = std::from_chars(text, end, seconds);
        if (error != std::errc{} || stop != end || seconds <= 0 || seconds > 86400)
            return usage();
    }
    return wait_for(argv[2], std::chrono::seconds(seconds)) ? 0 : 1;
}
