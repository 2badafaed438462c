#include "runtime/NSTimer.h"

#include <QTimer>

struct NSTimer::Impl {
    QTimer timer;
};

NSTimer::NSTimer(double seconds, id target, SEL selector, bool repeats)
    : impl_(std::make_unique<Impl>()), seconds_(seconds) {
    impl_->timer.setTimerType(Qt::PreciseTimer);
    impl_->timer.setSingleShot(!repeats);
    impl_->timer.setInterval(std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000.0)));
    QObject::connect(&impl_->timer, &QTimer::timeout, [target, selector] {
        objc_msgSend(target, selector);
    });
    impl_->timer.start();
}

NSTimer::~NSTimer() = default;

std::unique_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double seconds, id target,
                                                                 SEL selector, bool repeats) {
    return std::unique_ptr<NSTimer>(new NSTimer(seconds, target, selector, repeats));
}

void NSTimer::invalidate() { impl_->timer.stop(); }

bool NSTimer::isValid() const { return impl_->timer.isActive(); }
