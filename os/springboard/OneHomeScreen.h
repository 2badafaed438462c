#pragma once
// One home screen per device: two would count the same birthdays and raise every alert twice.
// The first to start holds the device's lock of the home screen (foundation/OneRunningCopy.h);
// a later start asks it to show its window and leaves. Main thread only.
#include <functional>
#include <string>

namespace springboard {

struct HomeScreenLock {
    enum Outcome {
        kHeld, // this process is now the device's home screen
        kHeldByAnother, // another home screen runs
        kFailed, // no lock to take (no var/run can be made, a read-only device, a file not the
                 // user's)
    };
    Outcome outcome;
    std::string problem; // for kFailed: the lock file and what went wrong with it
};

// Only a lock that another process holds means another home screen; any other failure is one,
// which the caller must tell, since a device without a home screen has no reminders.
HomeScreenLock become_the_devices_home_screen();

// From a later start: asks the running home screen to show its window.
void ask_the_home_screen_to_show();
// From a later start (`--quit`): asks the running home screen to end its reminders, which it
// has the user confirm.
void ask_the_home_screen_to_quit();

// In the home screen: calls `show` on the main thread at each such request.
void on_request_to_show(std::function<void()> show);
// In the home screen: calls `quit` on the main thread at each request to quit.
void on_request_to_quit(std::function<void()> quit);

} // namespace springboard
