#include "uikit/UIDesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace uikit {

void postDesktopNotification(const DesktopNotification& notification) {
    // Asked for when the first notification comes, once the application's event loop exists.
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

} // namespace uikit
