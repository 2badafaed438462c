#include "TempDevice.h"
#include "foundation/ManualRunLoop.h"
#include "foundation/OneRunningCopy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Two starts in one process stand for two processes: each claim opens the lock anew, and the
// kernel's lock belongs to the open file, not to the process.
TEST(OneRunningCopy, TheFirstClaimHoldsTheDeviceAndALaterStartHandsItsRequestOver)
{
    TempDevice device;
    // A device deep enough that its socket's path exceeds what a socket address holds.
    const auto deep = device.root() / std::string(120, 'd');
    std::filesystem::create_directories(deep);
    setenv("DEVICE_ROOT", deep.c_str(), 1);

    EXPECT_FALSE(os::hand_over("com.example.App", {"x"}, 0ms)) << "no copy runs yet";
    ASSERT_EQ(os::claim_running_copy("com.example.App"), os::RunningCopy::ThisProcess);
    EXPECT_EQ(os::claim_running_copy("com.example.App"), os::RunningCopy::Another);
    EXPECT_EQ(os::claim_running_copy("com.example.Other"), os::RunningCopy::ThisProcess);

    std::vector<std::vector<std::string>> received;
    ASSERT_TRUE(os::listen_for_hand_overs(
        "com.example.App", [&](std::vector<std::string> request) { received.push_back(request); }));
    // Handed over before the running copy's loop exists: kept until it does.
    const std::vector<std::string> files{"/home/ana/Ana Lima.vcf", "/tmp/b\xC3\xA9.vcf"};
    ASSERT_TRUE(os::hand_over("com.example.App", files, 1s));
    ASSERT_TRUE(os::hand_over("com.example.App", {}, 1s));

    os::FixedClock clock;
    os::ManualRunLoop loop(clock);
    os::install_main_run_loop(&loop);
    loop.runPending();
    os::install_main_run_loop(nullptr);
    EXPECT_EQ(received, (std::vector<std::vector<std::string>>{files, {}}));
}

} // namespace
