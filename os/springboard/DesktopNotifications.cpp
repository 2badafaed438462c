#include "DesktopNotifications.h"

#include "ApplicationLauncher.h"
#include "NameList.h"
#include "uikit/NSURL.h"
#include "uikit/UIAlertView.h"

#include <ctime>
#include <filesystem>
#include <map>
#include <memory>

namespace springboard {
namespace {

std::string today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", &local);
    return day;
}

// The pop-ups on the screen, with the tag of the notification each went out as.
std::map<const UIAlertView*, std::pair<std::weak_ptr<UIView>, std::string>>& shown()
{
    static std::map<const UIAlertView*, std::pair<std::weak_ptr<UIView>, std::string>> alerts;
    return alerts;
}

void dismiss(const UIAlertView* alert)
{
    const auto found = shown().find(alert);
    if (found == shown().end())
        return;
    if (auto view = std::static_pointer_cast<UIAlertView>(found->second.first.lock()))
        view->dismissWithClickedButtonIndex_animated(view->cancelButtonIndex(), true);
}

} // namespace

desktop::Notification desktop_notification(const std::vector<InstalledApplication>& applications,
                                           const std::string& title, const std::string& message,
                                           const std::string& day,
                                           const std::vector<std::string>& personNames)
{
    desktop::Notification notification;
    notification.appName = "SpringBoard";
    notification.summary = title;
    notification.body = message;
    notification.tag = "SpringBoard " + day;
    notification.untilDismissed = true;
    if (!personNames.empty()) {
        notification.summary = message;
        notification.body = names_in_a_line(personNames);
    }
    for (const auto& app : applications) {
        if (app.displayName != title)
            continue;
        notification.appName = app.displayName;
        notification.tag = app.identifier + " " + day;
        std::error_code error;
        if (std::filesystem::is_regular_file(app.icon, error))
            notification.appIcon = "file://" + NSURLPercentEncoded(app.icon.string(), "/");
        break;
    }
    return notification;
}

void send_alerts_to_desktop(const HomeScreen& home)
{
    UIAlertView::setShowObserver([&home](UIAlertView& alert) {
        desktop::Notification notification = desktop_notification(
            home.applications(), alert.title(), alert.message(), today(), alert.personNames());
        const UIAlertView* key = &alert;
        shown()[key] = {alert.shared_from_this(), notification.tag};
        for (const auto& app : home.applications())
            if (app.displayName == alert.title())
                notification.activated = [app, key] {
                    launch_application(app);
                    dismiss(key);
                };
        notification.dismissed = [key] { dismiss(key); };
        desktop::postNotification(std::move(notification));
    });
    UIAlertView::setDismissObserver([](const UIAlertView& alert) {
        const auto found = shown().find(&alert);
        if (found == shown().end())
            return;
        const std::string tag = found->second.second;
        shown().erase(found);
        desktop::withdrawNotification(tag);
    });
}

} // namespace springboard
