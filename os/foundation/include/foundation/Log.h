#pragma once
// Log lines in the style of the platform's NSLog: "date time process[pid:tid] message" on
// standard error.
#include <string_view>

void NSLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace os {
void log_line(std::string_view message);
}
