#include "notify/NotifyCenter.h"

#include "DeviceEndpoints.h"
#include "foundation/Device.h"
#include "foundation/Journal.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct __CFNotificationCenter {
    struct Observer {
        uint64_t id;
        const void* observer;
        CFNotificationCallback callback;
        std::string name;
    };

    std::vector<Observer> observers;
    uint64_t next_id = 1;
    std::optional<os::notify::Endpoint> endpoint;
    std::filesystem::path endpoint_device;
    QPointer<QSocketNotifier> notifier;
};

namespace {

__CFNotificationCenter& the_center() {
    static __CFNotificationCenter center;
    return center;
}

void deliver_pending() {
    __CFNotificationCenter& center = the_center();
    if (!center.endpoint) return;
    for (const std::string& name : center.endpoint->receive_all()) {
        // A callback may add or remove observers: walk a snapshot and skip the ones removed since.
        const std::vector<__CFNotificationCenter::Observer> snapshot = center.observers;
        for (const auto& observer : snapshot) {
            if (observer.name != name) continue;
            const bool still_registered =
                std::any_of(center.observers.begin(), center.observers.end(),
                            [&](const auto& o) { return o.id == observer.id; });
            if (still_registered)
                observer.callback(&center, const_cast<void*>(observer.observer), name.c_str(),
                                  nullptr, nullptr);
        }
    }
}

// Unregistered at once, deleted later: this may run inside the notifier's own signal.
void retire_notifier() {
    __CFNotificationCenter& center = the_center();
    if (!center.notifier) return;
    center.notifier->setEnabled(false);
    center.notifier->deleteLater();
    center.notifier = nullptr;
}

// Watches the endpoint from the application's event loop. Without an application object there is
// no loop yet: notices wait in the endpoint, and this runs again from the constructor of the next
// application object (a Qt start-up routine), so they are delivered once its loop runs.
void attach_notifier() {
    __CFNotificationCenter& center = the_center();
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !center.endpoint) return;
    if (center.notifier && center.notifier->socket() == center.endpoint->fd()) return;
    retire_notifier();
    center.notifier = new QSocketNotifier(center.endpoint->fd(), QSocketNotifier::Read, app);
    QObject::connect(center.notifier.data(), &QSocketNotifier::activated, app, &deliver_pending);
}

// The process joins the device that is current when it adds an observer, and binds again when its
// endpoint's file has gone (its device was removed or replaced).
void ensure_endpoint() {
    __CFNotificationCenter& center = the_center();
    const std::filesystem::path device = os::device_root();
    if (center.endpoint && center.endpoint_device == device && center.endpoint->still_bound()) return;
    retire_notifier(); // before its socket closes
    center.endpoint.reset();
    center.endpoint = os::notify::Endpoint::open();
    center.endpoint_device = device;

    static bool routine_added = false;
    if (!routine_added) {
        routine_added = true;
        qAddPreRoutine(&attach_notifier); // also runs it now when an application object exists
    } else {
        attach_notifier();
    }
}

} // namespace

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() { return &the_center(); }

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, const char* name,
                                     const void* /*object*/, int /*suspensionBehavior*/) {
    if (center == nullptr || callback == nullptr || name == nullptr) return;
    if (!os::notify::is_valid_name(name)) return;
    center->observers.push_back({center->next_id++, observer, callback, name});
    ensure_endpoint();
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer) {
    if (center == nullptr) return;
    std::erase_if(center->observers, [&](const auto& o) { return o.observer == observer; });
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const char* name,
                                          const void* /*object*/, const void* /*userInfo*/,
                                          bool /*deliverImmediately*/) {
    if (center == nullptr || name == nullptr || !os::notify::is_valid_name(name)) return;
    os::journal(std::string("notify ") + name);
    os::notify::send_to_device(name, center->endpoint ? center->endpoint->path()
                                                      : std::filesystem::path{});
}
