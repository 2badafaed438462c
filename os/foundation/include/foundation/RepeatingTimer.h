#pragma once
// A repeating timer of the main run loop, owned: a screen runs one while it is shown. Starting a
// running timer does nothing, and the timer stops when its owner ends, so a callback that uses
// the owner never outlives it. Without a main run loop (tests that run none) nothing is started.
// Main thread only.
#include "foundation/RunLoop.h"

#include <chrono>
#include <utility>

namespace os {

class RepeatingTimer {
public:
    RepeatingTimer() = default;
    RepeatingTimer(const RepeatingTimer&) = delete;
    RepeatingTimer& operator=(const RepeatingTimer&) = delete;
    ~RepeatingTimer() { stop(); }

    void start(std::chrono::milliseconds interval, RunLoop::Callback fired)
    {
        if (source_ != 0)
            return;
        if (RunLoop* loop = main_run_loop())
            source_ = loop->addTimer(interval, true, std::move(fired));
    }

    void stop()
    {
        if (source_ != 0)
            if (RunLoop* loop = main_run_loop())
                loop->remove(source_);
        source_ = 0;
    }

private:
    RunLoop::SourceID source_ = 0;
};

} // namespace os
