#include "SilentSessionBus.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

namespace {

// A listening socket at a path, or in the abstract namespace when the path starts with '@'; an
// answering one greets the first connection as a bus does.
class Peer {
public:
    Peer(const std::string& name, bool answers)
    {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, name.data(), name.size());
        if (name[0] == '@')
            address.sun_path[0] = '\0';
        const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + name.size());
        EXPECT_EQ(::bind(fd_, reinterpret_cast<const sockaddr*>(&address), length), 0);
        EXPECT_EQ(::listen(fd_, 8), 0);
        if (answers)
            greeter_ = std::thread([fd = fd_] {
                const int client = ::accept(fd, nullptr, nullptr);
                char asked[16];
                if (client >= 0 && ::recv(client, asked, sizeof asked, 0) > 0)
                    ::send(client, "REJECTED EXTERNAL\r\n", 19, MSG_NOSIGNAL);
                if (client >= 0)
                    ::close(client);
            });
    }
    ~Peer()
    {
        if (greeter_.joinable())
            greeter_.join();
        ::close(fd_);
    }

private:
    int fd_ = -1;
    std::thread greeter_;
};

TEST(SilentSessionBus, OnlyABusThatSaysNothingIsForgotten)
{
    const std::string dir =
        std::filesystem::temp_directory_path() / ("silent-bus-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string abstract = "@silent-bus-test-" + std::to_string(::getpid());
    const struct {
        const char* peer;
        bool answers;
        std::string address;
        bool forgotten;
    } cases[] = {
        {"/silent", false, "unix:path=" + dir + "/silent", true},
        {"/silent", false, "unix:path=" + dir + "/missing;unix:path=" + dir + "/sil%65nt", true},
        {"", false, "unix:abstract=" + abstract.substr(1) + ",guid=0", true},
        {"/greets", true, "unix:path=" + dir + "/greets,guid=0", false},
        {"", false, "tcp:host=127.0.0.1,port=1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        const std::string name = *c.peer ? dir + c.peer : abstract;
        std::filesystem::remove(name);
        Peer peer(name, c.answers);
        setenv("DBUS_SESSION_BUS_ADDRESS", c.address.c_str(), 1);
        uikit::forgetSessionBusUnlessItAnswers();
        EXPECT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS") != c.address, c.forgotten);
    }
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    std::filesystem::remove_all(dir);
}

} // namespace
