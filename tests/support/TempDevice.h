#pragma once
// A fresh, empty device for one test: a temporary folder made the device root for as long as
// the object lives, then removed, and the previous root restored.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class TempDevice {
public:
    TempDevice();
    ~TempDevice();
    TempDevice(const TempDevice&) = delete;
    TempDevice& operator=(const TempDevice&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // A device path ("/var/mobile/...") inside this device.
    std::filesystem::path path(std::string_view device_path) const;
    // The device journal's lines so far.
    std::string journal() const;

private:
    std::filesystem::path root_;
    std::optional<std::string> previous_;
};

// Runs a shell command line; returns its exit status (or -1 when it could not run).
int run_command(const std::string& command_line);
