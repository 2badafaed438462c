#include "AgentFixture.h"
#include "AgentLoading.h"
#include "IconView.h"
#include "RunningHomeScreen.h"
#include "foundation/Bundle.h"
#include "foundation/ManualRunLoop.h"
#include "runtime/NSTimer.h"
#include "runtime/Runtime.h"

#include <QApplication>
#include <fstream>

namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

// Taking hold in the home screen hooks SpringBoard once per process, so the home-screen case is one
// test; the other-process case comes first and hooks nothing.
class Loading : public AgentFixture {
protected:
    void SetUp() override
    {
        AgentFixture::SetUp();
        os::install_main_run_loop(&loop);
        running_home_screen();
        write_settings(1, 1, 1, 11, 30, 0);
        add_birthday(1980, 3, 10);
        now_running(at(2009, 3, 10, 9, 0));
    }
    void TearDown() override
    {
        CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(),
                                                nullptr);
        NSBundle::setMainBundlePath(std::filesystem::current_path());
        os::install_main_run_loop(nullptr);
        AgentFixture::TearDown();
    }
    void main_bundle_is(const std::string& identifier)
    {
        const auto folder = device.path("/bundle");
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "Info.plist") << "<plist><dict><key>CFBundleIdentifier</key><string>"
                                             << identifier << "</string></dict></plist>";
        NSBundle::setMainBundlePath(folder);
    }
    // Another process of the device posts the change notice, which is in this process's endpoint
    // once that process has ended; the loop then delivers it.
    void post_notice_from_another_process()
    {
        ASSERT_EQ(run_command(std::string(NOTIFYUTIL) + " -p kTortamosBadge"), 0);
        loop.runPending();
    }

    os::ManualRunLoop loop{clock};
    int argc = 1;
    char name[8] = "agent";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
};

TEST_F(Loading, InAnotherProcessOnlyTheChangeNoticeIsObserved)
{
    main_bundle_is("com.Qarvex.Tortamos");
    agent::take_hold();
    Class springboard = objc_getClass("SpringBoard");
    EXPECT_FALSE(class_respondsToSelector(springboard, "bg_applicationDidFinishLaunching:"));
    EXPECT_FALSE(class_respondsToSelector(springboard, "birthdaysActivate"));
    EXPECT_FALSE(class_respondsToSelector(springboard, "birthdaysActivate2"));

    post_notice_from_another_process();
    EXPECT_EQ(take_events(), Events{"badge 1"})
        << "the notice reads the settings and recounts here too";
    EXPECT_EQ(bBadge, 1);
    EXPECT_EQ(agent::launch_timers().minuteCheck, nullptr);
}

TEST_F(Loading, InTheHomeScreenTheLaunchIsReplacedAndTheTimersStart)
{
    main_bundle_is("com.apple.springboard");
    agent::take_hold();
    Class springboard = objc_getClass("SpringBoard");
    EXPECT_EQ(class_getMethodTypeEncoding(springboard, "birthdaysActivate"), "v@:");
    EXPECT_EQ(class_getMethodTypeEncoding(springboard, "birthdaysActivate2"), "v@:");
    EXPECT_TRUE(class_respondsToSelector(springboard, "bg_applicationDidFinishLaunching:"));

    // A notice before the launch is handled at once, while no timer runs yet.
    post_notice_from_another_process();
    EXPECT_EQ(take_events(), Events{"badge 1"});
    EXPECT_EQ(std::tie(bBadge, bSound, bPopup, iTimerHour, iTimerMinute, iStandby),
              std::make_tuple(1, 1, 1, 11, 30, 0));
    EXPECT_EQ(agent::launch_timers().minuteCheck, nullptr);
    EXPECT_EQ(agent::launch_timers().watchCheck, nullptr);

    // Two notices in quick succession each run in full (two that wait together are one notice).
    post_notice_from_another_process();
    post_notice_from_another_process();
    EXPECT_EQ(take_events(), (Events{"badge 1", "badge 1"}));

    // The launch reads the settings, starts both timers, then runs the home screen's own launch.
    write_settings(1, 1, 1, 10, 0, 1);
    clock.set(at(2009, 3, 10, 9, 59, 40));
    id application = objc_msgSend(objc_msgSend(springboard, "alloc").object(), "init").object();
    objc_msgSend(application, "applicationDidFinishLaunching:", Value());
    EXPECT_EQ(iStandby, 1);
    ASSERT_EQ(running_home_screen().icons().size(), 1u) << "the home screen's own launch ran";
    const auto& timers = agent::launch_timers();
    ASSERT_NE(timers.minuteCheck, nullptr);
    ASSERT_NE(timers.watchCheck, nullptr);
    EXPECT_TRUE(timers.minuteCheck->isValid());
    EXPECT_TRUE(timers.watchCheck->isValid());
    EXPECT_DOUBLE_EQ(timers.minuteCheck->timeInterval(), 59.0);
    EXPECT_DOUBLE_EQ(timers.watchCheck->timeInterval(), 10.0);
    EXPECT_EQ(take_events(), Events{}) << "the first badge waits for the first ten-second tick";

    // What the timers send as time goes by: ten seconds later the ten-second check; then the
    // stand-by tick every ten seconds; 59 s after the launch, at 10:00:39, the minute check.
    loop.advance(10s);
    EXPECT_EQ(take_events(), (Events{kTrickSound, "badge 1"}));
    loop.advance(40s);
    EXPECT_EQ(take_events(), Events(4, kTrickSound));
    loop.advance(9s);
    EXPECT_EQ(take_events(), (Events{kAlert, kAlertSound}));
}

} // namespace
