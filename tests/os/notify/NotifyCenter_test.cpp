#include "DeviceEndpoints.h"
#include "TempDevice.h"
#include "foundation/ManualRunLoop.h"
#include "notify/NotifyCenter.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;

// Static initialisation runs on the main thread.
const std::thread::id main_thread = std::this_thread::get_id();

// Observes names for as long as it lives and records what reaches it.
struct Recorder {
    Names names;

    explicit Recorder(const Names& observed)
    {
        for (const std::string& name : observed)
            CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), this,
                                            &Recorder::callback, name.c_str(), nullptr,
                                            CFNotificationSuspensionBehaviorDeliverImmediately);
    }
    ~Recorder()
    {
        CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), this);
    }

    static void callback(CFNotificationCenterRef, void* observer, const char* name, const void*,
                         const void*)
    {
        EXPECT_EQ(std::this_thread::get_id(), main_thread);
        static_cast<Recorder*>(observer)->names.emplace_back(name);
    }
};

// Runs the loop until `count` notices arrived, then a little longer to catch extra ones.
void run_loop_until(os::ManualRunLoop& loop, const Recorder& recorder, size_t count,
                    std::chrono::milliseconds limit = 5s)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    auto settle = 100ms;
    while (std::chrono::steady_clock::now() < end && settle > 0ms) {
        loop.runPending();
        std::this_thread::sleep_for(5ms);
        if (recorder.names.size() >= count)
            settle -= 5ms;
    }
}

// notifyutil's status is 1 when no other process of the device listens: a post that reached no
// one is no success.
void post_from_child(const std::string& name, const std::filesystem::path& device, int status = 0)
{
    ASSERT_EQ(run_command("DEVICE_ROOT='" + device.string() + "' " NOTIFYUTIL " -p '" + name +
                          "' 2>/dev/null"),
              status);
}

int unix_socket_at(const std::filesystem::path& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    return ::socket(AF_UNIX, SOCK_DGRAM, 0);
}

// Another process of the device that posts the names one after the other, as separate posts do,
// while this one goes on; waitpid tells when it is done.
pid_t post_from_another_process(const Names& names)
{
    const pid_t child = ::fork();
    if (child == 0) {
        for (const std::string& name : names)
            os::notify::send_to_device(name, {});
        ::_exit(0);
    }
    return child;
}

// The child's exit status, or -1 when it has not ended within the limit.
int wait_for(pid_t child, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            return -1;
        }
        std::this_thread::sleep_for(5ms);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class NotifyCenterTest : public ::testing::Test {
protected:
    void SetUp() override { os::install_main_run_loop(&loop); }
    void TearDown() override { os::install_main_run_loop(nullptr); }

    TempDevice device;
    os::FixedClock clock;
    os::ManualRunLoop loop{clock};
};

TEST_F(NotifyCenterTest, PostReachesTheObserversOfThatNameInOtherProcessesOnly)
{
    Recorder ping({"org.tortamos.ping"}), pong({"org.tortamos.pong"}),
        removed({"org.tortamos.ping"});
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), &removed);
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         "org.tortamos.ping", nullptr, nullptr,
                                         true); // own: not delivered
    post_from_child("org.tortamos.ping", device.root());

    run_loop_until(loop, ping, 1);
    EXPECT_EQ(ping.names, Names{"org.tortamos.ping"});
    EXPECT_TRUE(pong.names.empty());
    EXPECT_TRUE(removed.names.empty());
    const std::string journal = device.journal();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 2);
    EXPECT_NE(journal.find(" notify org.tortamos.ping\n"), std::string::npos);
}

TEST_F(NotifyCenterTest, PostOnAnotherDeviceDoesNotReach)
{
    Recorder ping({"org.tortamos.ping"});
    {
        TempDevice other_device;
        post_from_child("org.tortamos.ping", other_device.root(), 1);
    }
    post_from_child("org.tortamos.ping", device.root());
    run_loop_until(loop, ping, 1);
    EXPECT_EQ(ping.names.size(), 1u); // this device's post only
}

TEST_F(NotifyCenterTest, EndpointOfADeadProcessIsRemovedByTheNextPost)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    std::filesystem::create_directories(device.path("/var/run"));
    const auto stale = device.path("/var/run/notify-" + std::to_string(child) + ".sock");
    sockaddr_un address;
    const int fd = unix_socket_at(stale, address);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // the file stays, with nobody behind it
    std::ofstream(device.path("/var/run/other.pid")) << "1\n";

    post_from_child("org.tortamos.ping", device.root(), 1);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(device.path("/var/run/other.pid")));
}

TEST_F(NotifyCenterTest, MalformedAndOversizedDatagramsAreIgnored)
{
    const std::string longest(255, 'n');
    Recorder recorder({"org.tortamos.ping", longest});
    sockaddr_un address;
    const int fd = unix_socket_at(
        device.path("/var/run/notify-" + std::to_string(::getpid()) + ".sock"), address);
    for (const std::string& datagram :
         {std::string(), std::string(65000, 'x'), std::string(256, 'n'), // never cut down to a name
          std::string("org.tortamos.ping\0garbage", 25), std::string("org.tortamos.ping\n"),
          std::string("\x01\x02"), longest, std::string("org.tortamos.ping")})
        ASSERT_EQ(::sendto(fd, datagram.data(), datagram.size(), 0,
                           reinterpret_cast<sockaddr*>(&address), sizeof address),
                  static_cast<ssize_t>(datagram.size()));
    ::close(fd);

    run_loop_until(loop, recorder, 2);
    EXPECT_EQ(recorder.names, (Names{longest, "org.tortamos.ping"}));
}

TEST_F(NotifyCenterTest, DeviceDeeperThanASocketPathWorks)
{
    const auto deep = device.root() / std::string(120, 'd');
    std::filesystem::create_directories(deep);
    ::setenv("DEVICE_ROOT", deep.c_str(), 1);
    Recorder ping({"org.tortamos.ping"});
    post_from_child("org.tortamos.ping", deep);
    run_loop_until(loop, ping, 1);
    EXPECT_EQ(ping.names.size(), 1u);
}

// The receiver's queue holds about ten datagrams; its main thread is busy while thirty notices
// come, the last one the one that matters.
TEST_F(NotifyCenterTest, NoNoticeIsLostWhileTheReceiverIsBusy)
{
    Names sent;
    for (int i = 0; i < 29; ++i)
        sent.push_back("org.tortamos.n" + std::to_string(i));
    sent.push_back("kTortamosBadge");
    Recorder recorder(sent);
    const pid_t poster = post_from_another_process(sent);
    std::this_thread::sleep_for(300ms); // busy: the queue fills and the poster waits for room

    run_loop_until(loop, recorder, sent.size());
    EXPECT_EQ(recorder.names, sent);
    EXPECT_EQ(wait_for(poster, 10s), 0);
}

TEST_F(NotifyCenterTest, NoticesOfOneNameWaitingTogetherAreDeliveredOnce)
{
    Recorder recorder({"org.tortamos.ping", "org.tortamos.pong"});
    const pid_t poster =
        post_from_another_process({"org.tortamos.ping", "org.tortamos.ping", "org.tortamos.pong",
                                   "org.tortamos.ping", "org.tortamos.pong", "org.tortamos.ping"});
    ASSERT_EQ(wait_for(poster, 10s), 0);

    run_loop_until(loop, recorder, 2);
    EXPECT_EQ(recorder.names, (Names{"org.tortamos.ping", "org.tortamos.pong"}));

    post_from_child("org.tortamos.ping", device.root());
    run_loop_until(loop, recorder, 3);
    EXPECT_EQ(recorder.names.size(), 3u) << "a later notice is a notice of its own";
}

// A live process that never reads (its main thread stuck) costs a post a bounded wait, and the
// other receivers still get the notice.
TEST_F(NotifyCenterTest, AReceiverThatNeverReadsHoldsAPostUpOnlyBriefly)
{
    Recorder recorder({"org.tortamos.ping"});
    sockaddr_un address;
    const int stuck = unix_socket_at(device.path("/var/run/notify-1.sock"), address); // pid 1 lives
    ASSERT_EQ(::bind(stuck, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    for (int i = 0; i < 64; ++i) // fill its queue
        ::sendto(stuck, "x", 1, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&address),
                 sizeof address);

    const pid_t poster = post_from_another_process({"org.tortamos.ping"});
    EXPECT_EQ(wait_for(poster, os::notify::kMaxSendWait + 5s), 0);
    run_loop_until(loop, recorder, 1);
    EXPECT_EQ(recorder.names, Names{"org.tortamos.ping"});
    ::close(stuck);
}

TEST(NotifyCenterWithoutRunLoop, NoticesWaitForTheRunLoop)
{
    ASSERT_EQ(os::main_run_loop(), nullptr);
    TempDevice device;
    Recorder ping({"org.tortamos.ping"});
    post_from_child("org.tortamos.ping", device.root());

    os::FixedClock clock;
    os::ManualRunLoop loop(clock);
    os::install_main_run_loop(&loop);
    run_loop_until(loop, ping, 1);
    os::install_main_run_loop(nullptr);
    EXPECT_EQ(ping.names.size(), 1u);
}

} // namespace
