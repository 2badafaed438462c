#pragma once
// An application's badge on its launcher in the desktop's dock, where its menu entry is known.
#include "InstalledApplications.h"

#include <optional>
#include <string>

namespace springboard {

// The count a dock shows for a badge text: a whole number, or none ("" or words).
std::optional<long long> dock_count(const std::string& badge);

// Sends the badge to the dock; nothing for an application without a desktop entry.
void show_badge_on_dock(const InstalledApplication& application, const std::string& badge);

} // namespace springboard
