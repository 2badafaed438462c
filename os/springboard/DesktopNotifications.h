#pragma once
// Passes the home screen's alerts on to the desktop's notification service
// (org.freedesktop.Notifications on the session bus), so they are seen outside its window too.
// The home screen still shows the alert and plays its sound, so the desktop is asked for none.
#include "InstalledApplications.h"

#include <uikit/UIDesktopNotification.h>

#include <string>
#include <vector>

namespace springboard {

using uikit::DesktopNotification;

// An alert whose title is the name of an installed application comes from that application,
// with its icon; any other from the home screen, without one.
DesktopNotification desktop_notification(const std::vector<InstalledApplication>& applications,
                                         const std::string& title, const std::string& message);

// Sends each alert shown from now on. No session bus, or no service on it: nothing is sent and
// nothing fails; the call never waits for the desktop. Main thread only.
void send_alerts_to_desktop(std::vector<InstalledApplication> applications);

} // namespace springboard
