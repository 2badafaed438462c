#include "DesktopNotifications.h"

#include <uikit/UIAlertView.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

namespace springboard {
namespace {

void send(const DesktopNotification& notification) {
    // Asked for when the first alert comes, once the application's event loop exists.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("suppress-sound"), true}};
    call << QString::fromStdString(notification.appName) << 0u
         << QString::fromStdString(notification.appIcon) << QString::fromStdString(notification.summary)
         << QString::fromStdString(notification.body) << QStringList() << hints << -1;
    // Sent without waiting: the reply (the notification's number) is of no use, and neither is
    // the error of a bus without the service.
    bus.send(call);
}

} // namespace

DesktopNotification desktop_notification(const std::vector<InstalledApplication>& applications,
                                         const std::string& title, const std::string& message) {
    DesktopNotification notification{"SpringBoard", "", title, message};
    for (const auto& app : applications) {
        if (app.displayName != title) continue;
        notification.appName = app.displayName;
        std::error_code error;
        if (std::filesystem::is_regular_file(app.icon, error))
            notification.appIcon =
                QUrl::fromLocalFile(QString::fromStdString(app.icon.string()))
                    .toString(QUrl::FullyEncoded)
                    .toStdString();
        break;
    }
    return notification;
}

void send_alerts_to_desktop(std::vector<InstalledApplication> applications) {
    UIAlertView::setShowObserver([applications = std::move(applications)](const UIAlertView& alert) {
        send(desktop_notification(applications, alert.title(), alert.message()));
    });
}

} // namespace springboard
