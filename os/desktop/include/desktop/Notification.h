#pragma once
// A notification handed to the desktop's notification service (org.freedesktop.Notifications on
// the session bus), for a program whose alerts should be seen outside its window too.
#include <functional>
#include <string>

namespace desktop {

struct Notification {
    std::string appName;
    std::string appIcon; // a file:// URL, empty for none
    std::string summary;
    std::string body;
    // A later notification with the same tag takes this one's place on the desktop instead of
    // standing beside it; empty: never replaced.
    std::string tag;
    // Stays on the desktop until the user closes it (or the program withdraws it), rather than
    // for the time the desktop gives notifications.
    bool untilDismissed = false;
    // A click on the notification (its default action). Empty: the notification offers none.
    std::function<void()> activated;
    // The user closed it on the desktop (not when it expired, nor when the program withdrew it).
    std::function<void()> dismissed;
};

// Sends the notification, asking the desktop for no sound of its own (the sender plays its own).
// No session bus, or no service on it: nothing is sent and nothing fails; the call never waits
// for the desktop. Main thread only, once the application's event loop exists.
void postNotification(Notification notification);

// Takes the last notification of the tag off the desktop (the program answered it itself). One
// the desktop has not numbered yet is taken off as soon as it has.
void withdrawNotification(const std::string& tag);

} // namespace desktop
