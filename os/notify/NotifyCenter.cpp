#include "notify/NotifyCenter.h"

#include "DeviceEndpoints.h"
#include "foundation/Device.h"
#include "foundation/Journal.h"
#include "foundation/RunLoop.h"

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
    // The main run loop's watch of the endpoint, and the loop it was added to.
    os::RunLoop* watch_loop = nullptr;
    os::RunLoop::SourceID watch = 0;
    int watched_fd = -1;
};

namespace {

__CFNotificationCenter& the_center()
{
    static __CFNotificationCenter center;
    return center;
}

void deliver_pending()
{
    __CFNotificationCenter& center = the_center();
    if (!center.endpoint)
        return;
    for (const std::string& name : center.endpoint->receive_all()) {
        // A callback may add or remove observers: walk a snapshot and skip the ones removed since.
        const std::vector<__CFNotificationCenter::Observer> snapshot = center.observers;
        for (const auto& observer : snapshot) {
            if (observer.name != name)
                continue;
            const bool still_registered =
                std::any_of(center.observers.begin(), center.observers.end(),
                            [&](const auto& o) { return o.id == observer.id; });
            if (still_registered)
                observer.callback(&center, const_cast<void*>(observer.observer), name.c_str(),
                                  nullptr, nullptr);
        }
    }
}

// The hookup of the endpoint to the main run loop, apart from the reading above.

void unwatch_endpoint()
{
    __CFNotificationCenter& center = the_center();
    // A loop no longer installed may be gone already; its watch goes with it.
    if (center.watch != 0 && center.watch_loop == os::main_run_loop())
        center.watch_loop->remove(center.watch);
    center.watch_loop = nullptr;
    center.watch = 0;
    center.watched_fd = -1;
}

// Watches the endpoint from the main run loop. Before a loop is installed notices wait in the
// endpoint, and this runs again when one is, so they are delivered once it runs.
void watch_endpoint()
{
    __CFNotificationCenter& center = the_center();
    os::RunLoop* loop = os::main_run_loop();
    if (center.watch != 0 && center.watch_loop == loop && center.endpoint &&
        center.watched_fd == center.endpoint->fd())
        return;
    unwatch_endpoint();
    if (loop == nullptr || !center.endpoint)
        return;
    center.watch_loop = loop;
    center.watched_fd = center.endpoint->fd();
    center.watch = loop->addReadWatch(center.watched_fd, &deliver_pending);
}

// The process joins the device that is current when it adds an observer, and binds again when its
// endpoint's file has gone (its device was removed or replaced).
void ensure_endpoint()
{
    __CFNotificationCenter& center = the_center();
    const std::filesystem::path device = os::device_root();
    if (center.endpoint && center.endpoint_device == device && center.endpoint->still_bound())
        return;
    unwatch_endpoint(); // before its socket closes
    center.endpoint.reset();
    center.endpoint = os::notify::Endpoint::open();
    center.endpoint_device = device;

    static bool hook_added = false;
    if (!hook_added) {
        hook_added = true;
        os::on_main_run_loop_installed(&watch_endpoint); // also runs it now when a loop is there
    } else {
        watch_endpoint();
    }
}

} // namespace

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() { return &the_center(); }

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, const char* name,
                                     const void* /*object*/, int /*suspensionBehavior*/)
{
    if (center == nullptr || callback == nullptr || name == nullptr)
        return;
    if (!os::notify::is_valid_name(name))
        return;
    center->observers.push_back({center->next_id++, observer, callback, name});
    ensure_endpoint();
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer)
{
    if (center == nullptr)
        return;
    std::erase_if(center->observers, [&](const auto& o) { return o.observer == observer; });
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const char* name,
                                          const void* /*object*/, const void* /*userInfo*/,
                                          bool /*deliverImmediately*/)
{
    os::notify::post(center, name);
}

size_t os::notify::post(CFNotificationCenterRef center, const char* name)
{
    if (center == nullptr || name == nullptr || !is_valid_name(name))
        return 0;
    os::journal(std::string("notify ") + name);
    return send_to_device(name,
                          center->endpoint ? center->endpoint->path() : std::filesystem::path{});
}
