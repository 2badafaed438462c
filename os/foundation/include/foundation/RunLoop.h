#pragma once
// The main thread's run loop: timers, watches of file descriptors, and work posted to the main
// thread. The OS's libraries (timers, the notify centre) schedule through this interface and
// never see what drives it: the UI toolkit installs its loop over Qt's event loop when the
// application starts (UIApplicationMain), tests install a ManualRunLoop driven by a fixed clock.
//
// Thread: every call but post() belongs to the main thread. Callbacks run on the main thread, one
// at a time; a callback may add or remove sources, its own included.
#include <chrono>
#include <cstdint>
#include <functional>

namespace os {

class RunLoop {
public:
    using Callback = std::function<void()>;
    // Names a timer or a watch for remove(); never 0, never reused.
    using SourceID = uint64_t;

    virtual ~RunLoop() = default;

    // Calls `fired` one interval from now, then every interval when `repeats`. A timer that does
    // not repeat is gone once it fired.
    virtual SourceID addTimer(std::chrono::milliseconds interval, bool repeats, Callback fired) = 0;
    // Calls `readable` whenever the descriptor has data to read; the callback reads it.
    virtual SourceID addReadWatch(int fd, Callback readable) = 0;
    // Stops a timer or a watch; a source already gone is ignored.
    virtual void remove(SourceID source) = 0;
    // Runs `work` on the main thread soon, after the callback running now. Any thread.
    virtual void post(Callback work) = 0;
};

// The loop of the process's main thread; nullptr until one is installed.
RunLoop* main_run_loop();

// Makes `loop` (not owned; it must outlive its installation) the main thread's loop, or none for
// nullptr, then runs every installation hook.
void install_main_run_loop(RunLoop* loop);

// Runs `hook` after every installation from now on, and at once when a loop is installed
// already: how a library that was set up before the application's loop existed joins it.
void on_main_run_loop_installed(std::function<void()> hook);

} // namespace os
