#pragma once
// The Darwin notify centre of the device: a name posted in one process reaches the observers of
// that name in every other process of the same device (same DEVICE_ROOT), on their main threads.
// Names only: object and user information are accepted for the platform's signatures and never
// carried. A process never receives its own posts.
//
// Delivery runs through the main run loop of the observing process (foundation/RunLoop.h).
// Observers may be added before a loop is installed; notices that arrive before it runs wait in
// the process's endpoint and are delivered once it runs. Notices of one name that wait together
// are delivered once. All calls belong to the main thread.

struct __CFNotificationCenter;
using CFNotificationCenterRef = __CFNotificationCenter*;
using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer,
                                        const char* name, const void* object, const void* userInfo);

inline constexpr int CFNotificationSuspensionBehaviorDeliverImmediately = 4;

// The one centre of the process.
CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// Calls callback(center, observer, name, nullptr, nullptr) on the main thread for each notice of
// that name posted by another process of the device. A null name or callback is ignored.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, const char* name,
                                     const void* object, int suspensionBehavior);

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer);

// Sends the name to every live endpoint of the device but this process's own, and writes the
// journal line "notify NAME". Endpoints whose process is gone are removed. Waits, a second at
// most, while a receiver's queue is full, so a busy receiver does not lose the notice.
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const char* name,
                                          const void* object, const void* userInfo,
                                          bool deliverImmediately);

#include <cstddef>

namespace os::notify {

// CFNotificationCenterPostNotification, saying how many other processes of the device the name
// reached: 0 when none listens. (Whether one observes that name only it knows.)
size_t post(CFNotificationCenterRef center, const char* name);

} // namespace os::notify
