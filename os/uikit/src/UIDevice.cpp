#include "uikit/UIDevice.h"

#include "foundation/Device.h"

#include <fstream>

UIDevice& UIDevice::currentDevice()
{
    static UIDevice device;
    return device;
}

std::string UIDevice::systemVersion() const
{
    std::ifstream in(os::device_path("/System/Library/CoreServices/SystemVersion"));
    std::string line;
    std::getline(in, line);
    const auto first = line.find_first_not_of(" \t\r");
    const auto last = line.find_last_not_of(" \t\r");
    if (first == std::string::npos)
        return "3.1.3";
    return line.substr(first, last - first + 1);
}
