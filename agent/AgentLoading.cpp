#include "AgentLoading.h"

#include "DailyCheck.h"
#include "LastAlertRecord.h"
#include "foundation/Bundle.h"
#include "runtime/NSTimer.h"
#include "runtime/Runtime.h"
#include "runtime/Substrate.h"
#include "shared/DeviceNames.h"

namespace {

agent::LaunchTimers timers;

void start_timer(NSTimer*& slot, double seconds, id target, SEL selector)
{
    delete slot; // a second launch in one process replaces the first one's timer
    slot = NSTimer::scheduledTimerWithTimeInterval(seconds, target, selector, true).release();
}

Value launch(id self, SEL, std::span<const Value> args)
{
    agent::recall_last_alert();
    SetConfig();
    start_timer(timers.minuteCheck, agent::kMinuteCheckSeconds, self, "birthdaysActivate");
    start_timer(timers.watchCheck, agent::kWatchCheckSeconds, self, "birthdaysActivate2");
    objc_msgSend(self, "bg_applicationDidFinishLaunching:", args.empty() ? Value() : args[0]);
    return {};
}

} // namespace

void handleNotification(CFNotificationCenterRef, void*, const char*, const void*, const void*)
{
    SetConfig();
    SearchNivers();
}

namespace agent {

void take_hold()
{
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr,
                                    handleNotification, tortamos::kChangeNotice, nullptr,
                                    CFNotificationSuspensionBehaviorDeliverImmediately);
    if (NSBundle::mainBundle().bundleIdentifier() != kHomeScreenIdentifier)
        return;
    Class springboard = objc_getClass("SpringBoard");
    MSHookMessage(springboard, "applicationDidFinishLaunching:", launch, "bg_");
    class_addMethod(
        springboard, "birthdaysActivate",
        [](id, SEL, std::span<const Value>) -> Value {
            birthdaysActivate();
            return {};
        },
        "v@:");
    class_addMethod(
        springboard, "birthdaysActivate2",
        [](id, SEL, std::span<const Value>) -> Value {
            birthdaysActivate2();
            return {};
        },
        "v@:");
}

const LaunchTimers& launch_timers() { return timers; }

} // namespace agent
