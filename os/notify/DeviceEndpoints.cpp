#include "DeviceEndpoints.h"

#include "foundation/Device.h"
#include "foundation/SocketAddress.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <string>
#include <unordered_set>
#include <utility>

namespace os::notify {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "notify-";
constexpr std::string_view kSuffix = ".sock";
// Enough to empty the queue many times over while senders that waited for room refill it, yet a
// bound, so that a peer that never stops sending cannot hold the main thread in one call.
constexpr int kMaxDatagramsPerCall = 4096;

fs::path endpoint_folder() { return os::device_path("/var/run"); }

// The process id in an endpoint's file name, or nullopt when the name is not an endpoint's.
std::optional<pid_t> endpoint_pid(std::string_view file)
{
    if (!file.starts_with(kPrefix) || !file.ends_with(kSuffix))
        return std::nullopt;
    const std::string_view digits =
        file.substr(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || pid <= 0)
        return std::nullopt;
    return pid;
}

// Compares by device and inode: std::filesystem::equivalent refuses sockets.
bool same_file(const fs::path& a, const fs::path& b)
{
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool process_is_gone(pid_t pid) { return ::kill(pid, 0) == -1 && errno == ESRCH; }

// Sends one datagram. An endpoint's queue holds only a few (the kernel's max_dgram_qlen, 10 by
// default), so a receiver whose main thread is busy for a moment has a full queue: the kernel
// then lets the sender wait for room, here until the deadline.
ssize_t send_waiting_for_room(int fd, std::string_view name, const os::SocketAddress& address,
                              std::chrono::steady_clock::time_point deadline)
{
    ssize_t sent = ::sendto(fd, name.data(), name.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                            address.get(), address.length());
    while (sent < 0 && (errno == EAGAIN || errno == EINTR)) {
        const auto left = std::chrono::ceil<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= std::chrono::microseconds::zero())
            break; // a timeout of 0 would wait forever
        const timeval timeout{static_cast<time_t>(left.count() / 1000000),
                              static_cast<suseconds_t>(left.count() % 1000000)};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        sent =
            ::sendto(fd, name.data(), name.size(), MSG_NOSIGNAL, address.get(), address.length());
    }
    return sent;
}

} // namespace

bool is_valid_name(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            return false;
    }
    return true;
}

std::optional<Endpoint> Endpoint::open()
{
    const fs::path folder = endpoint_folder();
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const std::string file =
        std::string(kPrefix) + std::to_string(::getpid()) + std::string(kSuffix);
    fs::path path = folder / file;
    ::unlink(path.c_str()); // left by an earlier process that had our id

    const os::SocketAddress address(folder, file);
    if (!address.valid())
        return std::nullopt;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    if (::bind(fd, address.get(), address.length()) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return Endpoint(fd, std::move(path));
}

Endpoint::Endpoint(int fd, std::filesystem::path path)
    : fd_(fd), owner_(::getpid()), path_(std::move(path))
{
}

Endpoint::Endpoint(Endpoint&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), owner_(other.owner_), path_(std::move(other.path_))
{
}

Endpoint& Endpoint::operator=(Endpoint&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        owner_ = other.owner_;
        path_ = std::move(other.path_);
    }
    return *this;
}

Endpoint::~Endpoint() { close(); }

void Endpoint::close()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    // A forked child that exits must not take its parent's endpoint with it.
    if (::getpid() == owner_)
        ::unlink(path_.c_str());
    fd_ = -1;
}

bool Endpoint::still_bound() const
{
    struct stat info {};
    return fd_ >= 0 && ::lstat(path_.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

std::vector<std::string> Endpoint::receive_all()
{
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    char buffer[kMaxNameLength + 1];
    for (int i = 0; i < kMaxDatagramsPerCall; ++i) {
        // MSG_TRUNC reports a datagram's full length, so an oversized one is recognised and
        // dropped.
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (static_cast<size_t>(n) > kMaxNameLength)
            continue;
        const std::string_view name(buffer, static_cast<size_t>(n));
        if (is_valid_name(name) && seen.emplace(name).second)
            names.emplace_back(name);
    }
    return names;
}

size_t send_to_device(std::string_view name, const fs::path& except)
{
    if (!is_valid_name(name))
        return 0;
    const fs::path folder = endpoint_folder();
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error)
        return 0;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    size_t taken = 0;
    const auto deadline = std::chrono::steady_clock::now() + kMaxSendWait;
    for (const fs::directory_entry& entry : entries) {
        const std::string file = entry.path().filename().string();
        const std::optional<pid_t> pid = endpoint_pid(file);
        if (!pid)
            continue;
        if (!except.empty() && same_file(entry.path(), except))
            continue;
        const os::SocketAddress address(folder, file);
        if (!address.valid())
            continue;
        const ssize_t sent = send_waiting_for_room(fd, name, address, deadline);
        if (sent >= 0)
            ++taken;
        // Refused means no socket is bound there. Only a dead process's file is removed: a live
        // one may be between removing its old file and binding the new one.
        if (sent < 0 && errno == ECONNREFUSED && process_is_gone(*pid))
            ::unlink(entry.path().c_str());
    }
    ::close(fd);
    return taken;
}

} // namespace os::notify
