#include "foundation/Log.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

namespace os {

void log_line(std::string_view message)
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const int millis = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::string line = stamp;
    char rest[96];
    std::snprintf(rest, sizeof rest, ".%03d %s[%d:%ld] ", millis, program_invocation_short_name,
                  static_cast<int>(getpid()), static_cast<long>(syscall(SYS_gettid)));
    line += rest;
    line += message;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace os

void NSLog(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string message(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0)
        std::vsnprintf(message.data(), message.size() + 1, format, args);
    va_end(args);
    os::log_line(message);
}
