#pragma once
// A timer that sends a selector to a target on the main run loop (foundation/RunLoop.h). The
// target gets the message with no argument. Timing is precise to the millisecond, so a 59-second
// timer never skips a clock minute. Made while no run loop is installed, a timer never fires and
// is not valid.
#include "foundation/RunLoop.h"
#include "runtime/Runtime.h"

#include <memory>

class NSTimer {
public:
    // First fires one interval after it is made. Destroying the timer stops it. The target is not
    // retained: it must outlive the timer.
    static std::unique_ptr<NSTimer> scheduledTimerWithTimeInterval(double seconds, id target,
                                                                   SEL selector, bool repeats);
    ~NSTimer();
    NSTimer(const NSTimer&) = delete;
    NSTimer& operator=(const NSTimer&) = delete;

    void invalidate();
    bool isValid() const { return source_ != 0; }
    double timeInterval() const { return seconds_; }

private:
    NSTimer(double seconds, id target, SEL selector, bool repeats);

    os::RunLoop* loop_;
    os::RunLoop::SourceID source_ = 0;
    double seconds_;
};
