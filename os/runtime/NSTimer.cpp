#include "runtime/NSTimer.h"

NSTimer::NSTimer(double seconds, id target, SEL selector, bool repeats)
    : loop_(os::main_run_loop()), seconds_(seconds)
{
    if (loop_ == nullptr)
        return;
    const auto interval = std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000.0));
    source_ = loop_->addTimer(interval, repeats, [this, target, selector, repeats] {
        if (!repeats)
            source_ = 0; // fired once: gone from the loop
        objc_msgSend(target, selector);
    });
}

NSTimer::~NSTimer() { invalidate(); }

std::unique_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double seconds, id target,
                                                                 SEL selector, bool repeats)
{
    return std::unique_ptr<NSTimer>(new NSTimer(seconds, target, selector, repeats));
}

void NSTimer::invalidate()
{
    if (source_ == 0)
        return;
    loop_->remove(source_);
    source_ = 0;
}
