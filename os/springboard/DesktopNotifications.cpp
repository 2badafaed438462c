#include "DesktopNotifications.h"

#include <uikit/NSURL.h>
#include <uikit/UIAlertView.h>
#include <uikit/UIDesktopNotification.h>

#include <filesystem>

namespace springboard {

DesktopNotification desktop_notification(const std::vector<InstalledApplication>& applications,
                                         const std::string& title, const std::string& message) {
    DesktopNotification notification{"SpringBoard", "", title, message};
    for (const auto& app : applications) {
        if (app.displayName != title) continue;
        notification.appName = app.displayName;
        std::error_code error;
        if (std::filesystem::is_regular_file(app.icon, error))
            notification.appIcon = "file://" + NSURLPercentEncoded(app.icon.string(), "/");
        break;
    }
    return notification;
}

void send_alerts_to_desktop(std::vector<InstalledApplication> applications) {
    UIAlertView::setShowObserver([applications = std::move(applications)](const UIAlertView& alert) {
        uikit::postDesktopNotification(desktop_notification(applications, alert.title(), alert.message()));
    });
}

} // namespace springboard
