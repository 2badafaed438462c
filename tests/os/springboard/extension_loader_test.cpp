#include "ExtensionLoader.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

TEST(Extensions, EveryDylibOfTheFolderLoadsAndRunsItsInitialiserWhatDoesNotLoadIsSkipped)
{
    TempDevice device;
    const auto folder = device.path("/Library/DynamicLibraries");
    std::filesystem::create_directories(folder / "Sub.dylib");
    std::ofstream(folder / "A Broken.dylib") << "not a library";
    std::filesystem::copy_file(TEST_EXTENSION, folder / "Marker.dylib");
    for (const char* copy : {"Marker.dylib.orig", "Marker.dylib.new", "Marker.so"})
        std::filesystem::copy_file(TEST_EXTENSION, folder / copy);
    unsetenv("TEST_EXTENSION_LOADED");

    EXPECT_EQ(springboard::load_extensions(folder), 1) << "copies beside the library stay unloaded";
    EXPECT_STREQ(std::getenv("TEST_EXTENSION_LOADED"), "1");
    EXPECT_EQ(springboard::load_extensions(device.path("/Library/Missing")), 0);
}

} // namespace
