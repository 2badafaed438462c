#include "TempDevice.h"
#include "uikit/UIDevice.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(SystemVersion, IsTheDeviceFilesFirstLineOr313)
{
    TempDevice device;
    const auto file = device.path("/System/Library/CoreServices/SystemVersion");
    EXPECT_EQ(UIDevice::currentDevice().systemVersion(), "3.1.3") << "no file";
    std::filesystem::create_directories(file.parent_path());
    for (const auto& [content, version] :
         std::vector<std::pair<std::string, std::string>>{{"2.2.1\n", "2.2.1"},
                                                          {"  1.1.4 \r\nsecond line\n", "1.1.4"},
                                                          {"3.0", "3.0"},
                                                          {"", "3.1.3"},
                                                          {" \n2.0\n", "3.1.3"}}) {
        std::ofstream(file) << content;
        EXPECT_EQ(UIDevice::currentDevice().systemVersion(), version) << content;
    }
}

} // namespace
