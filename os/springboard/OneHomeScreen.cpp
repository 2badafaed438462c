#include "OneHomeScreen.h"

#include "foundation/OneRunningCopy.h"
#include "notify/NotifyCenter.h"

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
    std::string problem;
    switch (os::claim_running_copy("SpringBoard", &problem)) {
    case os::RunningCopy::ThisProcess: return {HomeScreenLock::kHeld, {}};
    case os::RunningCopy::Another: return {HomeScreenLock::kHeldByAnother, {}};
    case os::RunningCopy::Unavailable: break;
    }
    return {HomeScreenLock::kFailed, problem};
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
