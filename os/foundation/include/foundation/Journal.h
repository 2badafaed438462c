#pragma once
// The device journal, var/log/device.log: one line per event that a user of the device would
// notice (the home screen launched, a notice posted, a badge set, an alert shown, a sound played,
// a URL opened), from any process. Tests and the demo read it to see what the system did.
#include <string>
#include <string_view>

namespace os {

// Appends "<local ISO-8601 time> <event>\n" in a single write, so lines of several processes never
// interleave. Creates the folder when missing; a journal that cannot be written is skipped
// silently, since no event may fail because of it.
void journal(std::string_view event);

// A text in double quotes, with backslashes and quotes escaped, for journal arguments.
std::string journal_quote(std::string_view text);

} // namespace os
