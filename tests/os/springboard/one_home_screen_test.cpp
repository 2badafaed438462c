#include "OneHomeScreen.h"
#include "TempDevice.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using springboard::HomeScreenLock;

// Only a lock another process holds means another home screen; a device where no lock can be
// taken at all is a failure that says why, never taken for "another one runs".
TEST(OneHomeScreen, OnlyAHeldLockMeansAnotherHomeScreen)
{
    struct Case {
        const char* what;
        std::function<void(const TempDevice&)> prepare;
        HomeScreenLock::Outcome expected;
    };
    int held_elsewhere = -1;
    const std::vector<Case> cases = {
        {"free",
         [](const TempDevice& d) { std::filesystem::create_directories(d.path("/var/run")); },
         HomeScreenLock::kHeld},
        {"held by another",
         [&held_elsewhere](const TempDevice& d) {
             std::filesystem::create_directories(d.path("/var/run"));
             // Another open of the file stands for another process: flock locks belong to it.
             held_elsewhere = ::open(d.path("/var/run/SpringBoard.lock").c_str(),
                                     O_RDWR | O_CREAT | O_CLOEXEC, 0600);
             ASSERT_EQ(::flock(held_elsewhere, LOCK_EX | LOCK_NB), 0);
         },
         HomeScreenLock::kHeldByAnother},
        {"var/run cannot be made",
         [](const TempDevice& d) {
             std::filesystem::create_directories(d.path("/var"));
             std::ofstream(d.path("/var/run")) << "not a folder";
         },
         HomeScreenLock::kFailed},
        {"the lock file is a folder",
         [](const TempDevice& d) {
             std::filesystem::create_directories(d.path("/var/run/SpringBoard.lock"));
         },
         HomeScreenLock::kFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDevice device;
        c.prepare(device);
        const HomeScreenLock lock = springboard::become_the_devices_home_screen();
        EXPECT_EQ(lock.outcome, c.expected);
        if (c.expected == HomeScreenLock::kFailed) {
            EXPECT_NE(lock.problem.find(device.path("/var/run/SpringBoard.lock").string()),
                      std::string::npos)
                << lock.problem;
        }
    }
    ::close(held_elsewhere);
}

} // namespace
