#include "runtime/NSTimer.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Ticker : objc_object {
    using objc_object::objc_object;
    int ticks = 0;
};

Class ticker_class() {
    static Class cls = [] {
        Class made = objc_defineClass("TimerTicker", objc_getClass("NSObject"));
        class_addMethod(
            made, "tick",
            [](id self, SEL, std::span<const Value>) -> Value {
                ++static_cast<Ticker*>(self)->ticks;
                return {};
            },
            "v@:");
        return made;
    }();
    return cls;
}

// Runs the event loop until the condition holds or a generous deadline passes.
template <class Condition>
void run_until(Condition condition) {
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(10000);
    while (!condition() && deadline.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

class TimerTest : public ::testing::Test {
protected:
    int argc = 1;
    char name[8] = "timers";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

TEST_F(TimerTest, RepeatingTimerSendsItsSelectorToTheTargetAgainAndAgain) {
    Ticker target(ticker_class());
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.01, &target, "tick", true);
    EXPECT_TRUE(timer->isValid());
    EXPECT_DOUBLE_EQ(timer->timeInterval(), 0.01);
    EXPECT_EQ(target.ticks, 0) << "the first tick comes one interval later";
    run_until([&] { return target.ticks >= 3; });
    EXPECT_GE(target.ticks, 3);
    timer->invalidate();
    EXPECT_FALSE(timer->isValid());
    const int stopped_at = target.ticks;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(target.ticks, stopped_at);
}

TEST_F(TimerTest, OneShotTimerFiresOnce) {
    Ticker target(ticker_class());
    auto once = NSTimer::scheduledTimerWithTimeInterval(0.005, &target, "tick", false);
    auto later = NSTimer::scheduledTimerWithTimeInterval(0.05, &target, "tick", false);
    run_until([&] { return !later->isValid(); });
    EXPECT_EQ(target.ticks, 2);
    EXPECT_FALSE(once->isValid());
}

} // namespace
