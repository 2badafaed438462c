#pragma once
// How the agent takes hold in a process: the change-notice observer everywhere, and in the home
// screen the replaced launch method and the two methods its timers send.
#include "notify/NotifyCenter.h"

class NSTimer;

// The change notice: reads the settings again and recounts. Uses none of its arguments.
void handleNotification(CFNotificationCenterRef center, void* observer, const char* name,
                        const void* object, const void* userInfo);

namespace agent {

inline constexpr const char* kHomeScreenIdentifier = "com.apple.springboard";
inline constexpr double kMinuteCheckSeconds = 59.0; // under a minute: no clock minute is skipped
inline constexpr double kWatchCheckSeconds = 10.0;

// Observes the change notice. In the home screen (main bundle "com.apple.springboard") also
// replaces SpringBoard's applicationDidFinishLaunching: (the home screen's own stays callable as
// bg_applicationDidFinishLaunching:) and adds birthdaysActivate and birthdaysActivate2. The
// replacement recalls the last alert kept in the device, reads the settings, starts the
// repeating minute and ten-second timers on the main run loop, then runs the home screen's own
// launch.
void take_hold();

struct LaunchTimers {
    NSTimer* minuteCheck = nullptr;
    NSTimer* watchCheck = nullptr;
};
// The timers the launch started, kept for the life of the process; none before launch.
const LaunchTimers& launch_timers();

} // namespace agent
