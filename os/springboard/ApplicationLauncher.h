#pragma once
// Starts an installed application as a process of its own, on the same device (the device root
// is passed on), detached from the home screen: it outlives it and is never waited for.
#include "InstalledApplications.h"

namespace springboard {

// False, with a log line, when the program could not be started; a journal line
// `launch ID` when it was.
bool launch_application(const InstalledApplication& application);

} // namespace springboard
