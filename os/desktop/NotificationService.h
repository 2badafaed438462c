#pragma once
// Our side of the desktop's notification service: what has been sent, under which number the
// service keeps each, and what to do when the user answers one there. For this library's own
// files only; main thread only.
#include "desktop/Notification.h"

#include <QDBusPendingCallWatcher>
#include <QObject>
#include <map>
#include <set>
#include <string>

namespace desktop {

class NotificationService : public QObject {
    Q_OBJECT
public:
    static NotificationService& shared();

    void post(Notification notification);
    void withdraw(const std::string& tag);

private slots:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    NotificationService() = default;
    void listen();
    void numbered(const std::string& tag, Notification notification, uint id);

    bool listening_ = false;
    std::map<uint, Notification> shown_;
    std::map<std::string, uint> lastOfTag_;
    // Tags sent whose number the service has not told yet, and those of them already withdrawn.
    std::set<std::string> pending_;
    std::set<std::string> withdrawnEarly_;
};

} // namespace desktop
