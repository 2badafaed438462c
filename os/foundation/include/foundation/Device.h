#pragma once
// The device root: every absolute path the system names ("/var/mobile/...") is a device path,
// resolved under the folder named by DEVICE_ROOT ("/" when unset), the way a simulator keeps a
// data folder per device. Tests give each case its own device.
#include <filesystem>
#include <string_view>

namespace os {

// The folder that stands for "/" on this device. Read from the environment on each call, so a
// test may change devices between cases.
std::filesystem::path device_root();

// A device path ("/var/mobile/Library/...") as a path of this machine. Relative paths are taken
// as relative to the device root too.
std::filesystem::path device_path(std::string_view path);

} // namespace os
