#include "foundation/ManualRunLoop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

class ManualRunLoopTest : public ::testing::Test {
protected:
    os::FixedClock clock{60'000};
    os::ManualRunLoop loop{clock};
    std::vector<std::string> events;

    void record(const std::string& what)
    {
        events.push_back(what + "@" + std::to_string(static_cast<long long>(clock.now())));
    }
};

TEST_F(ManualRunLoopTest, TimersFireInTheOrderTheyFallDueEachAtItsOwnMoment)
{
    loop.addTimer(59s, true, [&] { record("minute"); });
    loop.addTimer(10s, true, [&] { record("ten"); });
    loop.addTimer(20s, false, [&] { record("once"); });
    loop.advance(9999ms);
    EXPECT_TRUE(events.empty()) << "nothing fires before its interval";
    loop.advance(50001ms);
    EXPECT_EQ(events, (std::vector<std::string>{"ten@70000", "ten@80000", "once@80000", "ten@90000",
                                                "ten@100000", "ten@110000", "minute@119000",
                                                "ten@120000"}));
    EXPECT_EQ(clock.now(), 120'000);
    EXPECT_EQ(loop.timerCount(), 2u) << "the one-shot timer is gone";
}

TEST_F(ManualRunLoopTest, ACallbackMayRemoveItsOwnTimerOrAddAnother)
{
    os::RunLoop::SourceID self = 0;
    self = loop.addTimer(1s, true, [&] {
        record("first");
        loop.remove(self);
        loop.addTimer(1s, false, [&] { record("second"); });
    });
    loop.advance(10s);
    EXPECT_EQ(events, (std::vector<std::string>{"first@61000", "second@62000"}));
    EXPECT_EQ(loop.timerCount(), 0u);
    loop.remove(self); // gone already: ignored
}

TEST_F(ManualRunLoopTest, WatchesRunWhileTheirDescriptorHasDataAndStopWhenRemoved)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const auto watch = loop.addReadWatch(fds[0], [&] {
        char byte;
        ASSERT_EQ(::read(fds[0], &byte, 1), 1);
        record(std::string("read ") + byte);
    });
    loop.runPending();
    EXPECT_TRUE(events.empty());
    ASSERT_EQ(::write(fds[1], "ab", 2), 2);
    loop.runPending();
    EXPECT_EQ(events, (std::vector<std::string>{"read a@60000", "read b@60000"}));

    loop.remove(watch);
    ASSERT_EQ(::write(fds[1], "c", 1), 1);
    loop.runPending();
    EXPECT_EQ(events.size(), 2u);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST_F(ManualRunLoopTest, AWatchThatNeverReadsCannotHangTheLoop)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    int calls = 0;
    loop.addReadWatch(fds[0], [&] { ++calls; });
    loop.runPending();
    EXPECT_EQ(calls, 1000);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST_F(ManualRunLoopTest, WorkPostedFromAnotherThreadRunsOnTheLoopsThread)
{
    const auto loop_thread = std::this_thread::get_id();
    std::thread other([&] {
        loop.post([&] {
            EXPECT_EQ(std::this_thread::get_id(), loop_thread);
            record("posted");
        });
    });
    other.join();
    EXPECT_TRUE(events.empty()) << "posted work waits for the loop";
    loop.runPending();
    EXPECT_EQ(events, std::vector<std::string>{"posted@60000"});
}

TEST(MainRunLoop, HooksRunAtEachInstallationAndAtOnceWhenALoopIsThere)
{
    ASSERT_EQ(os::main_run_loop(), nullptr);
    os::FixedClock clock;
    os::ManualRunLoop first(clock), second(clock);
    // Hooks stay for the process: what they touch outlives the test.
    static std::vector<os::RunLoop*> seen;
    os::on_main_run_loop_installed([] { seen.push_back(os::main_run_loop()); });
    EXPECT_TRUE(seen.empty()) << "no loop yet";
    os::install_main_run_loop(&first);
    os::install_main_run_loop(&second);
    static int late = 0;
    os::on_main_run_loop_installed([] { ++late; });
    EXPECT_EQ(late, 1);
    os::install_main_run_loop(nullptr);
    EXPECT_EQ(seen, (std::vector<os::RunLoop*>{&first, &second, nullptr}));
    EXPECT_EQ(late, 2);
}

} // namespace
