#pragma once
// A notification handed to the desktop's notification service (org.freedesktop.Notifications on
// the session bus), for a program whose alerts should be seen outside its window too.
#include <string>

namespace uikit {

struct DesktopNotification {
    std::string appName;
    std::string appIcon; // a file:// URL, empty for none
    std::string summary;
    std::string body;
};

// Sends the notification, asking the desktop for no sound of its own (the sender plays its own).
// No session bus, or no service on it: nothing is sent and nothing fails; the call never waits
// for the desktop. Main thread only, once the application's event loop exists.
void postDesktopNotification(const DesktopNotification& notification);

} // namespace uikit
