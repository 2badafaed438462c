#include "SilentSessionBus.h"

#include "foundation/Log.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace uikit {
namespace {

// Long enough for a bus that answers at all, even on a loaded machine; short enough not to hold
// the start of the home screen.
constexpr auto kPatience = std::chrono::milliseconds(1000);

// An address value with its %XX escapes undone.
std::string unescaped(std::string_view value)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            out += char(std::strtol(std::string(value.substr(i + 1, 2)).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

// The socket address of a "unix:path=..." or "unix:abstract=..." entry; nothing for any other
// transport, which the bus library is left to reach by itself.
std::optional<sockaddr_un> unix_socket_of(std::string_view entry, socklen_t& length)
{
    constexpr std::string_view kUnix = "unix:";
    if (entry.substr(0, kUnix.size()) != kUnix)
        return std::nullopt;
    entry.remove_prefix(kUnix.size());
    while (!entry.empty()) {
        const std::string_view pair = entry.substr(0, entry.find(','));
        entry.remove_prefix(std::min(entry.size(), pair.size() + 1));
        const size_t equals = pair.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = pair.substr(0, equals);
        if (key != "path" && key != "abstract")
            continue;
        const std::string path = unescaped(pair.substr(equals + 1));
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const size_t offset = key == "abstract" ? 1 : 0;
        if (path.empty() || path.size() + offset >= sizeof address.sun_path)
            return std::nullopt;
        std::memcpy(address.sun_path + offset, path.data(), path.size());
        length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size() +
                           (offset == 0 ? 1 : 0));
        return address;
    }
    return std::nullopt;
}

bool wait_for(int fd, short events, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, int(left.count()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

enum class Greeting { kAnswered, kSilent, kUnreachable };

// The authentication's opening: a nul byte and AUTH alone, to which any bus answers with the
// mechanisms it knows. The connection is then dropped, before it is a connection.
Greeting greeting(const sockaddr_un& address, socklen_t length)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Greeting::kUnreachable;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    Greeting result = Greeting::kSilent;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 &&
        errno != EAGAIN && errno != EINPROGRESS) {
        result = Greeting::kUnreachable;
    } else {
        static constexpr char kAsk[] = "\0AUTH\r\n";
        char answer[64];
        if (wait_for(fd, POLLOUT, deadline) &&
            ::send(fd, kAsk, sizeof kAsk - 1, MSG_NOSIGNAL) == ssize_t(sizeof kAsk - 1) &&
            wait_for(fd, POLLIN, deadline) && ::recv(fd, answer, sizeof answer, 0) > 0)
            result = Greeting::kAnswered;
    }
    ::close(fd);
    return result;
}

} // namespace

void forgetSessionBusUnlessItAnswers()
{
    const char* value = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (value == nullptr)
        return;
    const std::string address = value;
    // The bus library takes the first entry it can reach; so does this.
    std::string_view entries = address;
    while (!entries.empty()) {
        const std::string_view entry = entries.substr(0, entries.find(';'));
        entries.remove_prefix(std::min(entries.size(), entry.size() + 1));
        socklen_t length = 0;
        const auto socket = unix_socket_of(entry, length);
        if (!socket)
            return;
        const Greeting said = greeting(*socket, length);
        if (said == Greeting::kAnswered)
            return;
        if (said == Greeting::kSilent) {
            NSLog("The session bus at %s does not answer; going on without the desktop's bus",
                  address.c_str());
            setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/silent-session-bus", 1);
            return;
        }
    }
}

} // namespace uikit
