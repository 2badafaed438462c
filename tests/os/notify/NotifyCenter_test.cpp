#include "notify/NotifyCenter.h"

#include "TempDevice.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

int app_argc = 1;
char app_name[] = "os_notify_tests";
char* app_argv[] = {app_name, nullptr};

// Observes names for as long as it lives and records what reaches it.
struct Recorder {
    std::vector<std::string> names;

    explicit Recorder(std::initializer_list<const char*> observed) {
        for (const char* name : observed)
            CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), this,
                                            &Recorder::callback, name, nullptr,
                                            CFNotificationSuspensionBehaviorDeliverImmediately);
    }
    ~Recorder() {
        CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), this);
    }

    static void callback(CFNotificationCenterRef center, void* observer, const char* name,
                         const void* object, const void* userInfo) {
        EXPECT_EQ(center, CFNotificationCenterGetDarwinNotifyCenter());
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(userInfo, nullptr);
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
        static_cast<Recorder*>(observer)->names.emplace_back(name);
    }
};

// Runs the event loop until the condition holds or the time is up.
bool run_loop_until(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(5ms);
    }
    return done();
}

void run_loop_for(std::chrono::milliseconds time) {
    run_loop_until([] { return false; }, time);
}

int post_from_child(const std::string& name, const std::filesystem::path& device) {
    return run_command("DEVICE_ROOT='" + device.string() + "' " NOTIFYUTIL " -p '" + name + "'");
}

std::filesystem::path own_endpoint(const TempDevice& device) {
    return device.path("/var/run/notify-" + std::to_string(::getpid()) + ".sock");
}

void send_datagram(const std::filesystem::path& endpoint, std::string_view bytes) {
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(endpoint.string().size(), sizeof address.sun_path);
    endpoint.string().copy(address.sun_path, sizeof address.sun_path - 1);
    EXPECT_EQ(::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address),
                       sizeof address),
              static_cast<ssize_t>(bytes.size()));
    ::close(fd);
}

class NotifyCenterTest : public ::testing::Test {
protected:
    TempDevice device;
    std::unique_ptr<QCoreApplication> app = std::make_unique<QCoreApplication>(app_argc, app_argv);
};

TEST_F(NotifyCenterTest, PostFromAnotherProcessReachesObserversOfThatNameOnly) {
    Recorder ping({"org.tortamos.ping"});
    Recorder pong({"org.tortamos.pong"});
    ASSERT_EQ(post_from_child("org.tortamos.ping", device.root()), 0);

    ASSERT_TRUE(run_loop_until([&] { return !ping.names.empty(); }));
    run_loop_for(100ms);
    EXPECT_EQ(ping.names, std::vector<std::string>{"org.tortamos.ping"});
    EXPECT_TRUE(pong.names.empty());
    EXPECT_NE(device.journal().find(" notify org.tortamos.ping\n"), std::string::npos);
}

TEST_F(NotifyCenterTest, PostOnAnotherDeviceDoesNotReach) {
    Recorder ping({"org.tortamos.ping"});
    std::filesystem::path other;
    {
        TempDevice other_device;
        ASSERT_EQ(post_from_child("org.tortamos.ping", other_device.root()), 0);
        run_loop_for(300ms);
        EXPECT_NE(other_device.journal().find("notify org.tortamos.ping"), std::string::npos);
    }
    EXPECT_TRUE(ping.names.empty());

    ASSERT_EQ(post_from_child("org.tortamos.ping", device.root()), 0);
    EXPECT_TRUE(run_loop_until([&] { return ping.names.size() == 1; }));
}

TEST_F(NotifyCenterTest, OwnPostIsJournalledButNotDeliveredToItself) {
    Recorder ping({"org.tortamos.ping"});
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         "org.tortamos.ping", nullptr, nullptr, true);
    run_loop_for(200ms);
    EXPECT_TRUE(ping.names.empty());
    EXPECT_NE(device.journal().find(" notify org.tortamos.ping\n"), std::string::npos);
}

TEST_F(NotifyCenterTest, PostReachesAWaitingChildProcess) {
    QProcess waiter;
    waiter.start(NOTIFYUTIL, {"-w", "org.tortamos.ping", "5"});
    ASSERT_TRUE(waiter.waitForReadyRead(5000));
    EXPECT_EQ(waiter.readLine().trimmed().toStdString(), "waiting for org.tortamos.ping");

    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         "org.tortamos.ping", nullptr, nullptr, true);
    ASSERT_TRUE(waiter.waitForFinished(5000));
    EXPECT_EQ(waiter.exitCode(), 0);
    EXPECT_EQ(waiter.readAll().trimmed().toStdString(), "org.tortamos.ping");
}

TEST_F(NotifyCenterTest, RemovedObserverIsNotCalled) {
    auto ping = std::make_unique<Recorder>(std::initializer_list<const char*>{"org.tortamos.ping"});
    Recorder still({"org.tortamos.ping"});
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), ping.get());
    ASSERT_EQ(post_from_child("org.tortamos.ping", device.root()), 0);
    ASSERT_TRUE(run_loop_until([&] { return !still.names.empty(); }));
    EXPECT_TRUE(ping->names.empty());
}

TEST_F(NotifyCenterTest, EndpointOfADeadProcessIsRemovedByTheNextPost) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);

    std::filesystem::create_directories(device.path("/var/run"));
    const auto stale = device.path("/var/run/notify-" + std::to_string(child) + ".sock");
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    stale.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // the file stays, with nobody behind it
    const auto unrelated = device.path("/var/run/other.pid");
    std::ofstream(unrelated) << "1\n";
    ASSERT_TRUE(std::filesystem::exists(stale));

    ASSERT_EQ(post_from_child("org.tortamos.ping", device.root()), 0);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(unrelated));
}

TEST_F(NotifyCenterTest, MalformedAndOversizedDatagramsAreIgnored) {
    const std::string longest(255, 'n');
    Recorder recorder({"org.tortamos.ping", longest.c_str()});
    const auto endpoint = own_endpoint(device);
    ASSERT_TRUE(std::filesystem::exists(endpoint));

    send_datagram(endpoint, "");
    send_datagram(endpoint, std::string(65000, 'x'));
    send_datagram(endpoint, std::string(256, 'n')); // not to be cut down to the longest name
    send_datagram(endpoint, std::string("org.tortamos.ping\0garbage", 25));
    send_datagram(endpoint, "org.tortamos.ping\n");
    send_datagram(endpoint, "\xff\x01\x02");
    send_datagram(endpoint, longest);
    send_datagram(endpoint, "org.tortamos.ping");

    ASSERT_TRUE(run_loop_until([&] { return recorder.names.size() == 2; }));
    run_loop_for(100ms);
    EXPECT_EQ(recorder.names, (std::vector<std::string>{longest, "org.tortamos.ping"}));
}

TEST_F(NotifyCenterTest, DeviceDeeperThanASocketPathWorks) {
    const auto deep = device.root() / std::string(120, 'd') / "device";
    std::filesystem::create_directories(deep);
    ::setenv("DEVICE_ROOT", deep.c_str(), 1);
    Recorder ping({"org.tortamos.ping"});
    ASSERT_EQ(post_from_child("org.tortamos.ping", deep), 0);
    EXPECT_TRUE(run_loop_until([&] { return ping.names.size() == 1; }));
    ::setenv("DEVICE_ROOT", device.root().c_str(), 1);
}

TEST(NotifyCenterWithoutApplication, NoticesWaitForTheEventLoop) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    TempDevice device;
    Recorder ping({"org.tortamos.ping"});
    ASSERT_EQ(post_from_child("org.tortamos.ping", device.root()), 0);
    EXPECT_TRUE(ping.names.empty());

    QCoreApplication app(app_argc, app_argv);
    EXPECT_TRUE(run_loop_until([&] { return ping.names.size() == 1; }));
}

} // namespace
