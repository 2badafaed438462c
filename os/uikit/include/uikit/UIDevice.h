#pragma once
// The device the program runs on.
#include <string>

class UIDevice {
public:
    static UIDevice& currentDevice();

    // The first line of the device file System/Library/CoreServices/SystemVersion, without
    // surrounding blanks; "3.1.3" when the file is missing or that line is empty.
    std::string systemVersion() const;

private:
    UIDevice() = default;
};
