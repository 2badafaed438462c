#pragma once
// One home screen per device: two would count the same birthdays and raise every alert twice.
// The first to start holds the device's lock of the home screen (foundation/OneRunningCopy.h);
// a later start asks it to show its window and leaves. Main thread only.
#include <functional>

namespace springboard {

// True when this process is now the device's home screen. False when another holds the lock,
// or the device has no var/run to hold it in and none can be made.
bool become_the_devices_home_screen();

// From a later start: asks the running home screen to show its window.
void ask_the_home_screen_to_show();

// In the home screen: calls `show` on the main thread at each such request.
void on_request_to_show(std::function<void()> show);

} // namespace springboard
