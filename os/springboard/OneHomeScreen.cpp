#include "OneHomeScreen.h"

#include "foundation/Device.h"
#include "notify/NotifyCenter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace springboard {
namespace {

constexpr const char* kShowRequest = "com.apple.springboard.showHomeScreen";

std::function<void()>& show_handler()
{
    static std::function<void()> handler;
    return handler;
}

} // namespace

bool become_the_devices_home_screen()
{
    const auto lock = os::device_path("/var/run/SpringBoard.lock");
    // Close-on-exec, so the applications the home screen starts never hold it.
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    int held;
    while ((held = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {}
    if (held != 0) {
        ::close(fd);
        return false;
    }
    // Kept open, and so held, until the process ends.
    return true;
}

void ask_the_home_screen_to_show()
{
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), kShowRequest,
                                         nullptr, nullptr, true);
}

void on_request_to_show(std::function<void()> show)
{
    show_handler() = std::move(show);
    CFNotificationCenterAddObserver(
        CFNotificationCenterGetDarwinNotifyCenter(), &show_handler(),
        [](CFNotificationCenterRef, void*, const char*, const void*, const void*) {
            if (show_handler())
                show_handler()();
        },
        kShowRequest, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
}

} // namespace springboard
