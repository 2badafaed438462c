#include "ApplicationLauncher.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace {

std::string wait_for_file(const std::filesystem::path& file)
{
    for (int i = 0; i < 100 && !std::filesystem::exists(file); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Launching, StartsTheProgramInItsBundleOnTheSameDeviceWithoutTheHomeScreensScript)
{
    TempDevice device;
    springboard::InstalledApplication app;
    app.identifier = "com.example.probe";
    app.bundle = device.path("/Applications/Probe.app");
    app.executable = app.bundle / "Probe";
    std::filesystem::create_directories(app.bundle);
    std::ofstream(app.executable) << "#!/bin/sh\necho \"$DEVICE_ROOT $(pwd) "
                                     "${UIKIT_AUTOMATION-none}\" > \"$DEVICE_ROOT/launched\"\n";
    std::filesystem::permissions(app.executable, std::filesystem::perms::owner_all);

    setenv("UIKIT_AUTOMATION", device.path("/home-screen.script").c_str(), 1);
    const bool launched = springboard::launch_application(app);
    unsetenv("UIKIT_AUTOMATION");
    ASSERT_TRUE(launched);
    EXPECT_EQ(wait_for_file(device.path("/launched")),
              device.root().string() + " " + app.bundle.string() + " none\n");
}

TEST(Launching, AProgramThatIsNotThereFails)
{
    TempDevice device;
    springboard::InstalledApplication app;
    app.identifier = "com.example.gone";
    app.bundle = device.path("/Applications/Gone.app");
    app.executable = app.bundle / "Gone";
    EXPECT_FALSE(springboard::launch_application(app));
}

} // namespace
