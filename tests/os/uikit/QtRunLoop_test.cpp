#include "uikit/QtRunLoop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

class QtRunLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One application object for the whole binary, as the toolkit keeps it.
        static int argc = 1;
        static char name[] = "qt_run_loop";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
    }

    // Runs Qt's event loop until the condition holds or a generous deadline passes.
    template <class Condition>
    static void runUntil(Condition condition)
    {
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (!condition() && std::chrono::steady_clock::now() < end)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }

    os::RunLoop& loop = uikit::qtRunLoop();
};

TEST_F(QtRunLoopTest, RepeatingTimersFireUntilRemovedAndOneShotTimersOnce)
{
    int repeated = 0, once = 0;
    const auto repeating = loop.addTimer(5ms, true, [&] { ++repeated; });
    loop.addTimer(5ms, false, [&] { ++once; });
    runUntil([&] { return repeated >= 3; });
    EXPECT_GE(repeated, 3);
    EXPECT_EQ(once, 1);
    loop.remove(repeating);
    const int stopped = repeated;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::this_thread::sleep_for(20ms);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(repeated, stopped);
}

TEST_F(QtRunLoopTest, ACallbackMayRemoveItsOwnTimer)
{
    int fired = 0;
    os::RunLoop::SourceID self = 0;
    self = loop.addTimer(1ms, true, [&] {
        ++fired;
        loop.remove(self);
    });
    runUntil([&] { return fired > 0; });
    std::this_thread::sleep_for(20ms);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(fired, 1);
}

TEST_F(QtRunLoopTest, WatchesSeeDataOnTheirDescriptor)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::string read;
    const auto watch = loop.addReadWatch(fds[0], [&] {
        char byte;
        if (::read(fds[0], &byte, 1) == 1)
            read += byte;
    });
    ASSERT_EQ(::write(fds[1], "ab", 2), 2);
    runUntil([&] { return read.size() == 2; });
    EXPECT_EQ(read, "ab");
    loop.remove(watch);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST_F(QtRunLoopTest, WorkPostedFromAnotherThreadRunsOnTheMainThread)
{
    const auto main = std::this_thread::get_id();
    bool ran = false;
    std::thread other([&] {
        loop.post([&] {
            EXPECT_EQ(std::this_thread::get_id(), main);
            ran = true;
        });
    });
    other.join();
    runUntil([&] { return ran; });
    EXPECT_TRUE(ran);
}

} // namespace
