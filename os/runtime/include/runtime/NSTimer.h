#pragma once
// A timer that sends a selector to a target on the run loop (the Qt event loop) of the thread
// that schedules it. The target gets the message with no argument. Timing is precise to the
// millisecond, so a 59-second timer never skips a clock minute.
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
    bool isValid() const;
    double timeInterval() const { return seconds_; }

private:
    NSTimer(double seconds, id target, SEL selector, bool repeats);

    struct Impl;
    std::unique_ptr<Impl> impl_;
    double seconds_;
};
