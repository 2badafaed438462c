#include "foundation/SocketAddress.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>

namespace os {

SocketAddress::SocketAddress(const std::filesystem::path& folder, const std::string& file)
{
    std::string text = (folder / file).string();
    if (text.size() >= sizeof address_.sun_path) {
        folder_fd_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folder_fd_ < 0)
            return;
        text = "/proc/self/fd/" + std::to_string(folder_fd_) + "/" + file;
        if (text.size() >= sizeof address_.sun_path)
            return;
    }
    address_.sun_family = AF_UNIX;
    text.copy(address_.sun_path, text.size());
    length_ = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + text.size() + 1);
}

SocketAddress::~SocketAddress()
{
    if (folder_fd_ >= 0)
        ::close(folder_fd_);
}

} // namespace os
