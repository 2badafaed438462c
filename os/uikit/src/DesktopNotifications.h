#pragma once
// The toolkit's side of the desktop's notification service: what it has sent, under which number
// the service keeps each, and what to do when the user answers one there. For the toolkit's own
// files only; main thread only.
#include "uikit/UIDesktopNotification.h"

#include <QDBusPendingCallWatcher>
#include <QObject>

#include <map>
#include <set>
#include <string>

namespace uikit {

class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    static DesktopNotifications& shared();

    void post(DesktopNotification notification);
    void withdraw(const std::string& tag);

private slots:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    DesktopNotifications() = default;
    void listen();
    void numbered(const std::string& tag, DesktopNotification notification, uint id);

    bool listening_ = false;
    std::map<uint, DesktopNotification> shown_;
    std::map<std::string, uint> lastOfTag_;
    // Tags sent whose number the service has not told yet, and those of them already withdrawn.
    std::set<std::string> pending_;
    std::set<std::string> withdrawnEarly_;
};

} // namespace uikit
