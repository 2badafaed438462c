#pragma once
// One running copy of a program per device. The first start holds a lock in the device's var/run
// for as long as its process lives (the kernel lets go of it when the process ends, even by
// SIGKILL) and may listen on a socket beside it; a later start hands its request (the files it
// was given) to that copy through the socket and leaves.
//
// Main thread only. Requests reach the running copy through the main run loop.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace os {

enum class RunningCopy {
    ThisProcess, // holds the lock now, until it ends
    Another, // another process of the device holds it
    Unavailable, // no lock to take: no var/run can be made, the file cannot be opened or locked
};

// Takes the device's lock of that name, var/run/NAME.lock. The descriptor is close-on-exec, so
// the programs this process starts never hold it. When Unavailable and `problem` is given, it
// gets the lock file and what went wrong with it, for the caller to tell.
RunningCopy claim_running_copy(std::string_view name, std::string* problem = nullptr);

// In the running copy: listens at var/run/NAME.sock; every request of a later start reaches
// `received` on the main thread, from the moment the main run loop is installed (a request that
// came before waits until then). Only requests of this user's processes are heard. False when
// the socket cannot be made: later starts then find no copy to hand over to.
using HandOverHandler = std::function<void(std::vector<std::string> request)>;
bool listen_for_hand_overs(std::string_view name, HandOverHandler received);

// In a later start: gives the request to the running copy, waiting up to `patience` for it to
// listen (it may be starting). False when no copy took it in that time.
bool hand_over(std::string_view name, const std::vector<std::string>& request,
               std::chrono::milliseconds patience);

} // namespace os
