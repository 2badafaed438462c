#include "foundation/ManualRunLoop.h"
#include "runtime/NSTimer.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

struct Ticker : objc_object {
    using objc_object::objc_object;
    int ticks = 0;
};

Class ticker_class()
{
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

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { os::install_main_run_loop(&loop); }
    void TearDown() override { os::install_main_run_loop(nullptr); }

    os::FixedClock clock{1'000'000};
    os::ManualRunLoop loop{clock};
};

TEST_F(TimerTest, RepeatingTimerSendsItsSelectorToTheTargetAgainAndAgain)
{
    Ticker target(ticker_class());
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.01, &target, "tick", true);
    EXPECT_TRUE(timer->isValid());
    EXPECT_DOUBLE_EQ(timer->timeInterval(), 0.01);
    EXPECT_EQ(target.ticks, 0) << "the first tick comes one interval later";
    loop.advance(9ms);
    EXPECT_EQ(target.ticks, 0);
    loop.advance(21ms);
    EXPECT_GE(target.ticks, 3);
    timer->invalidate();
    EXPECT_FALSE(timer->isValid());
    const int stopped_at = target.ticks;
    loop.advance(50ms);
    EXPECT_EQ(target.ticks, stopped_at);
}

TEST_F(TimerTest, OneShotTimerFiresOnce)
{
    Ticker target(ticker_class());
    auto once = NSTimer::scheduledTimerWithTimeInterval(0.005, &target, "tick", false);
    auto later = NSTimer::scheduledTimerWithTimeInterval(0.05, &target, "tick", false);
    loop.advance(50ms);
    EXPECT_FALSE(later->isValid());
    EXPECT_EQ(target.ticks, 2);
    EXPECT_FALSE(once->isValid());
    EXPECT_EQ(loop.timerCount(), 0u);
}

TEST_F(TimerTest, ADestroyedTimerLeavesTheLoop)
{
    Ticker target(ticker_class());
    NSTimer::scheduledTimerWithTimeInterval(0.01, &target, "tick", true).reset();
    EXPECT_EQ(loop.timerCount(), 0u);
    loop.advance(1s);
    EXPECT_EQ(target.ticks, 0);
}

TEST(TimerWithoutRunLoop, NeverFiresAndIsNotValid)
{
    ASSERT_EQ(os::main_run_loop(), nullptr);
    Ticker target(ticker_class());
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.01, &target, "tick", true);
    EXPECT_FALSE(timer->isValid());
    timer->invalidate();
    EXPECT_EQ(target.ticks, 0);
}

} // namespace
