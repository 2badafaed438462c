#pragma once
// Passes the home screen's alerts on to the desktop's notification service
// (org.freedesktop.Notifications on the session bus), so they are seen outside its window too.
// The home screen still shows the alert and plays its sound, so the desktop is asked for none.
// One alert is answered once: a click on the notification opens its application and dismisses
// the pop-up, closing it on the desktop dismisses the pop-up, and dismissing the pop-up takes the
// notification off the desktop. An alert of the same application on the same day takes the
// place of the earlier notification.
#include "HomeScreen.h"
#include "InstalledApplications.h"
#include "desktop/Notification.h"

#include <string>
#include <vector>

namespace springboard {

// An alert whose title is the name of an installed application comes from that application,
// with its icon; any other from the home screen, without one. Its tag names the sender and the
// day (YYYY-MM-DD). An alert about persons has its message for a headline and names them below
// it. It stays on the desktop until the user closes it: an alert is shown to be answered.
desktop::Notification desktop_notification(const std::vector<InstalledApplication>& applications,
                                           const std::string& title, const std::string& message,
                                           const std::string& day,
                                           const std::vector<std::string>& personNames = {});

// Sends each alert shown from now on. No session bus, or no service on it: nothing is sent and
// nothing fails; the call never waits for the desktop. Main thread only.
void send_alerts_to_desktop(const HomeScreen& home);

} // namespace springboard
