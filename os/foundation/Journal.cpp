#include "foundation/Journal.h"

#include "foundation/Device.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <system_error>

namespace os {
namespace {

std::string local_iso8601_now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[64];
    const size_t n = std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    char zone[8];
    std::strftime(zone, sizeof zone, "%z", &local); // +hhmm
    std::string text(stamp, n);
    char frac[8];
    std::snprintf(frac, sizeof frac, ".%03d", static_cast<int>(millis));
    text += frac;
    const std::string z(zone);
    text += z.size() == 5 ? z.substr(0, 3) + ":" + z.substr(3) : z;
    return text;
}

} // namespace

void journal(std::string_view event)
{
    const auto path = device_path("/var/log/device.log");
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    std::string line = local_iso8601_now();
    line += ' ';
    line += event;
    line += '\n';
    [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
    ::close(fd);
}

std::string journal_quote(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n') {
            quoted += "\\n";
            continue;
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace os
