#include "OneHomeScreen.h"

#include "foundation/OneRunningCopy.h"
#include "notify/NotifyCenter.h"

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
    return os::claim_running_copy("SpringBoard") == os::RunningCopy::ThisProcess;
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
