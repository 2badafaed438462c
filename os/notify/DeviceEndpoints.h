#pragma once
// The notify endpoints of a device: one Unix datagram socket per observing process, bound at
// var/run/notify-<pid>.sock under the device root. A datagram carries one notice name and
// nothing else.
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace os::notify {

inline constexpr size_t kMaxNameLength = 255;

// 1 to kMaxNameLength bytes, none of them a control character.
bool is_valid_name(std::string_view name);

// This process's receiving socket. Non-blocking; closed and its file removed on destruction.
class Endpoint {
public:
    // Binds a fresh endpoint in the current device's var/run/, creating that folder when
    // missing; nullopt when it cannot.
    static std::optional<Endpoint> open();

    Endpoint(Endpoint&& other) noexcept;
    Endpoint& operator=(Endpoint&& other) noexcept;
    Endpoint(const Endpoint&) = delete;
    Endpoint& operator=(const Endpoint&) = delete;
    ~Endpoint();

    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }
    // False once the socket's file is gone (its device was removed, or someone deleted it).
    bool still_bound() const;

    // Empties the queue and gives each valid name in it once, in the order of first arrival:
    // notices of one name waiting together are one notice. Other datagrams are dropped.
    std::vector<std::string> receive_all();

private:
    Endpoint(int fd, std::filesystem::path path);
    void close();

    int fd_ = -1;
    pid_t owner_ = 0;
    std::filesystem::path path_;
};

// How long one post waits in all for room in endpoints whose queue is full. A live receiver empties
// its queue whenever its main thread is free; one held up for longer than this (stopped, or never
// running its event loop) misses the notice, and no sender hangs on it.
inline constexpr std::chrono::milliseconds kMaxSendWait{1000};

// Sends the name to every endpoint of the current device but `except`, waiting up to kMaxSendWait
// for room in a full one. The file of an endpoint that no process holds is removed. The number of
// endpoints that took the name: 0 when no other process of the device listens.
size_t send_to_device(std::string_view name, const std::filesystem::path& except);

} // namespace os::notify
