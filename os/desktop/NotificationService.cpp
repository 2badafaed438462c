#include "NotificationService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace desktop {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// Notify's expire_timeout.
constexpr int kServerDefaultExpiry = -1;
constexpr int kNeverExpires = 0;

// Reasons of NotificationClosed.
constexpr uint kDismissedByUser = 2;

QDBusMessage call(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

} // namespace

NotificationService& NotificationService::shared()
{
    // Never destroyed: replies may arrive until the process ends.
    static auto* notifications = new NotificationService;
    return *notifications;
}

void NotificationService::listen()
{
    if (listening_)
        return;
    listening_ = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(actionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(notificationClosed(uint, uint)));
}

void NotificationService::post(Notification notification)
{
    // Asked for when the first notification comes, once the application's event loop exists.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    listen();
    const std::string tag = notification.tag;
    const auto last = tag.empty() ? lastOfTag_.end() : lastOfTag_.find(tag);
    const uint replaces = last == lastOfTag_.end() ? 0u : last->second;
    withdrawnEarly_.erase(tag);
    if (!tag.empty())
        pending_.insert(tag);
    QDBusMessage message = call(QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("suppress-sound"), true}};
    const QStringList actions =
        notification.activated
            ? QStringList{QStringLiteral("default"), QString::fromStdString(notification.summary)}
            : QStringList();
    message << QString::fromStdString(notification.appName) << replaces
            << QString::fromStdString(notification.appIcon)
            << QString::fromStdString(notification.summary)
            << QString::fromStdString(notification.body) << actions << hints
            << (notification.untilDismissed ? kNeverExpires : kServerDefaultExpiry);
    // The reply comes later; a bus without the service answers with an error, of no use here.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this,
        [this, tag, notification = std::move(notification)](QDBusPendingCallWatcher* done) mutable {
            const QDBusPendingReply<uint> reply = *done;
            done->deleteLater();
            pending_.erase(tag);
            if (!reply.isError())
                numbered(tag, std::move(notification), reply.value());
            withdrawnEarly_.erase(tag);
        });
}

void NotificationService::numbered(const std::string& tag, Notification notification, uint id)
{
    const bool withdrawn = withdrawnEarly_.count(tag) != 0;
    shown_[id] = std::move(notification);
    if (tag.empty())
        return;
    lastOfTag_[tag] = id;
    if (withdrawn)
        withdraw(tag);
}

void NotificationService::withdraw(const std::string& tag)
{
    const auto last = lastOfTag_.find(tag);
    if (last == lastOfTag_.end()) {
        if (pending_.count(tag) != 0)
            withdrawnEarly_.insert(tag);
        return;
    }
    const uint id = last->second;
    lastOfTag_.erase(last);
    // Withdrawn by the program itself: its answers are no longer wanted.
    shown_.erase(id);
    QDBusMessage message = call(QStringLiteral("CloseNotification"));
    message << id;
    QDBusConnection::sessionBus().send(message);
}

void NotificationService::actionInvoked(uint id, const QString& action)
{
    const auto found = shown_.find(id);
    if (found == shown_.end() || action != QLatin1String("default"))
        return;
    // Answered: the service closes it next, and that is not the user dismissing it.
    const auto activated = found->second.activated;
    found->second.dismissed = nullptr;
    if (activated)
        activated();
}

void NotificationService::notificationClosed(uint id, uint reason)
{
    const auto found = shown_.find(id);
    if (found == shown_.end())
        return;
    const auto dismissed = reason == kDismissedByUser ? found->second.dismissed : nullptr;
    shown_.erase(found);
    std::erase_if(lastOfTag_, [id](const auto& entry) { return entry.second == id; });
    if (dismissed)
        dismissed();
}

void postNotification(Notification notification)
{
    NotificationService::shared().post(std::move(notification));
}

void withdrawNotification(const std::string& tag) { NotificationService::shared().withdraw(tag); }

} // namespace desktop
