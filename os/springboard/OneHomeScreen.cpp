#include "OneHomeScreen.h"

#include "foundation/Device.h"
#include "notify/NotifyCenter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace springboard {
namespace {

constexpr const char* kShowRequest = "com.apple.springboard.showHomeScreen";
constexpr const char* kQuitRequest = "com.apple.springboard.quitReminders";

std::function<void()>& show_handler()
{
    static std::function<void()> handler;
    return handler;
}

std::function<void()>& quit_handler()
{
    static std::function<void()> handler;
    return handler;
}

void post(const char* request)
{
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), request,
                                         nullptr, nullptr, true);
}

// The handler is called through a function of its own, since the center takes a plain
// function; the observer pointer tells the two requests apart.
void observe(const char* request, std::function<void()>& handler)
{
    CFNotificationCenterAddObserver(
        CFNotificationCenterGetDarwinNotifyCenter(), &handler,
        [](CFNotificationCenterRef, void* observer, const char*, const void*, const void*) {
            auto& called = *static_cast<std::function<void()>*>(observer);
            if (called)
                called();
        },
        request, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
}

} // namespace

HomeScreenLock become_the_devices_home_screen()
{
    const auto lock = os::device_path("/var/run/SpringBoard.lock");
    const auto failed = [&lock](const char* what) {
        return HomeScreenLock{HomeScreenLock::kFailed, "cannot " + std::string(what) + " " +
                                                           lock.string() + ": " +
                                                           std::strerror(errno)};
    };
    // Close-on-exec, so the applications the home screen starts never hold it.
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return failed("open");
    int held;
    while ((held = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {}
    if (held != 0) {
        const bool another = errno == EWOULDBLOCK;
        HomeScreenLock result =
            another ? HomeScreenLock{HomeScreenLock::kHeldByAnother, {}} : failed("lock");
        ::close(fd);
        return result;
    }
    // Kept open, and so held, until the process ends.
    return {HomeScreenLock::kHeld, {}};
}

void ask_the_home_screen_to_show() { post(kShowRequest); }

void ask_the_home_screen_to_quit() { post(kQuitRequest); }

void on_request_to_show(std::function<void()> show)
{
    show_handler() = std::move(show);
    observe(kShowRequest, show_handler());
}

void on_request_to_quit(std::function<void()> quit)
{
    quit_handler() = std::move(quit);
    observe(kQuitRequest, quit_handler());
}

} // namespace springboard
