#include "TempDevice.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

TempDevice::TempDevice()
{
    if (const char* old = std::getenv("DEVICE_ROOT"))
        previous_ = old;
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tortamos-device-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    root_ = pattern;
    ::setenv("DEVICE_ROOT", root_.c_str(), 1);
}

TempDevice::~TempDevice()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
    if (previous_)
        ::setenv("DEVICE_ROOT", previous_->c_str(), 1);
    else
        ::unsetenv("DEVICE_ROOT");
}

std::filesystem::path TempDevice::path(std::string_view device_path) const
{
    while (!device_path.empty() && device_path.front() == '/')
        device_path.remove_prefix(1);
    return root_ / std::filesystem::path(device_path);
}

std::string TempDevice::journal() const
{
    std::ifstream in(path("/var/log/device.log"));
    return {std::istreambuf_iterator<char>(in), {}};
}

int run_command(const std::string& command_line)
{
    const int status = std::system(command_line.c_str());
    if (status == -1 || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
