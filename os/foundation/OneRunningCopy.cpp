#include "foundation/OneRunningCopy.h"

#include "foundation/Device.h"
#include "foundation/RunLoop.h"
#include "foundation/SocketAddress.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>

namespace os {
namespace {

// A request is a few paths; anything longer is no request of ours.
constexpr size_t kMaxRequestBytes = 64 * 1024;

std::filesystem::path run_folder() { return device_path("/var/run"); }

std::string socket_file(std::string_view name) { return std::string(name) + ".sock"; }

// Arguments travel as one NUL-terminated text each.
std::string encoded(const std::vector<std::string>& request)
{
    std::string bytes;
    for (const std::string& argument : request)
        bytes.append(argument).push_back('\0');
    return bytes;
}

std::vector<std::string> decoded(std::string_view bytes)
{
    std::vector<std::string> request;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\0');
        request.emplace_back(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return request;
}

bool from_this_user(int connection)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::getuid();
}

// One later start's connection: read as the run loop finds bytes, handed on at its end.
struct Connection {
    int fd = -1;
    RunLoop::SourceID watch = 0;
    std::string bytes;
};

class Listener {
public:
    Listener(int fd, HandOverHandler received) : fd_(fd), received_(std::move(received)) {}

    void watch(RunLoop& loop)
    {
        loop.addReadWatch(fd_, [this, &loop] { accept(loop); });
    }

private:
    void accept(RunLoop& loop)
    {
        int fd;
        while ((fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0) {
            if (!from_this_user(fd)) {
                ::close(fd);
                continue;
            }
            auto connection = std::make_shared<Connection>();
            connection->fd = fd;
            connection->watch =
                loop.addReadWatch(fd, [this, &loop, connection] { read(loop, *connection); });
        }
    }

    void read(RunLoop& loop, Connection& connection)
    {
        char buffer[4096];
        ssize_t got;
        while ((got = ::read(connection.fd, buffer, sizeof buffer)) > 0 &&
               connection.bytes.size() <= kMaxRequestBytes)
            connection.bytes.append(buffer, size_t(got));
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return; // more to come
        const bool whole = got == 0 && connection.bytes.size() <= kMaxRequestBytes;
        std::string bytes = std::move(connection.bytes);
        ::close(connection.fd);
        // Removing the watch lets go of the connection: nothing of it is used after this.
        loop.remove(connection.watch);
        if (whole && received_)
            received_(decoded(bytes));
    }

    int fd_;
    HandOverHandler received_;
};

} // namespace

RunningCopy claim_running_copy(std::string_view name, std::string* problem)
{
    std::error_code ignored;
    std::filesystem::create_directories(run_folder(), ignored);
    const auto lock = run_folder() / (std::string(name) + ".lock");
    const auto unavailable = [&](const char* what, int error) {
        if (problem)
            *problem =
                std::string("cannot ") + what + " " + lock.string() + ": " + std::strerror(error);
        return RunningCopy::Unavailable;
    };
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return unavailable("open", errno);
    int held;
    while ((held = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {}
    if (held != 0) {
        // Read before close, which may change it.
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? RunningCopy::Another : unavailable("lock", error);
    }
    // Kept open, and so held, until the process ends.
    return RunningCopy::ThisProcess;
}

bool listen_for_hand_overs(std::string_view name, HandOverHandler received)
{
    const std::string file = socket_file(name);
    const SocketAddress address(run_folder(), file);
    if (!address.valid())
        return false;
    // Left by a copy that ended; only the lock's holder gets here, so it is no one's now.
    ::unlink((run_folder() / file).c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (::bind(fd, address.get(), address.length()) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        return false;
    }
    // Lives as long as the process, like the lock.
    auto* listener = new Listener(fd, std::move(received));
    on_main_run_loop_installed([listener] {
        if (RunLoop* loop = main_run_loop())
            listener->watch(*loop);
    });
    return true;
}

bool hand_over(std::string_view name, const std::vector<std::string>& request,
               std::chrono::milliseconds patience)
{
    const std::string bytes = encoded(request);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const SocketAddress address(run_folder(), socket_file(name));
        const int fd = address.valid() ? ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0) : -1;
        if (fd >= 0 && ::connect(fd, address.get(), address.length()) == 0) {
            std::string_view left = bytes;
            ssize_t sent = 0;
            while (
                !left.empty() &&
                ((sent = ::send(fd, left.data(), left.size(), MSG_NOSIGNAL)) > 0 || errno == EINTR))
                left.remove_prefix(sent > 0 ? size_t(sent) : 0);
            ::close(fd);
            return left.empty();
        }
        if (fd >= 0)
            ::close(fd);
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        // The running copy is starting and not listening yet.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace os
