// The home screen on a session bus that accepts a connection and never says a word, as a hung
// desktop session does: it still journals its first badge and ends at once on SIGTERM, with its
// window shown or in the background.
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A socket that takes connections into its backlog and never answers any.
class SilentBus {
public:
    explicit SilentBus(const std::filesystem::path& path) : path_(path)
    {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        listening_ =
            fd_ >= 0 &&
            ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(fd_, 64) == 0;
    }
    ~SilentBus()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    SilentBus(const SilentBus&) = delete;
    SilentBus& operator=(const SilentBus&) = delete;

    bool listening() const { return listening_; }
    std::string environment() const
    {
        return "DBUS_SESSION_BUS_ADDRESS=unix:path=" + path_.string();
    }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    bool listening_ = false;
};

TEST(HomeScreenOnAHungSessionBus, JournalsItsFirstBadgeAndEndsOnSigterm)
{
    const struct {
        const char* how;
        std::vector<std::string> args;
    } cases[] = {
        {"window shown", {}},
        {"in the background", {"--background"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        TempDevice device;
        ASSERT_TRUE(install_built_device(device));
        const SilentBus bus(device.path("/silent-bus"));
        ASSERT_TRUE(bus.listening());
        SpringBoardProcess home(device, "2024-05-10 09:00:00", {bus.environment()}, c.args);

        const std::string badge = "badge com.Qarvex.Tortamos ";
        const auto lines = lines_since_launch(wait_for_journal(device, " " + badge));
        EXPECT_FALSE(lines_of(lines, badge).empty()) << device.journal();
        // Generous for a sanitized build on a busy machine; a hung bus held it for minutes.
        EXPECT_EQ(home.terminate(std::chrono::seconds(30)), 0);
    }
}

} // namespace
