#pragma once
// The address of a Unix socket that is a file in a folder. Unix socket paths hold about a hundred
// bytes, so a deeper folder (a device under a long home folder) is reached through the folder's
// own descriptor under /proc/self/fd, held for as long as the address lives.
#include <sys/socket.h>
#include <sys/un.h>

#include <filesystem>
#include <string>

namespace os {

class SocketAddress {
public:
    SocketAddress(const std::filesystem::path& folder, const std::string& file);
    ~SocketAddress();
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    // False when the folder cannot be opened or the name is too long even so.
    bool valid() const { return length_ != 0; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address_); }
    socklen_t length() const { return length_; }

private:
    sockaddr_un address_{};
    socklen_t length_ = 0;
    int folder_fd_ = -1;
};

} // namespace os
