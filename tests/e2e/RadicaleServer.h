#pragma once
// A Radicale CardDAV server (the Debian package) on 127.0.0.1 at a free port, with its
// configuration and collections in a folder of the test, no authentication, for as long as the
// object lives; then stopped by its own process identifier.
#include "TempDevice.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

class RadicaleServer {
public:
    explicit RadicaleServer(const std::filesystem::path& folder) : port_(free_port())
    {
        std::filesystem::create_directories(folder / "collections");
        const auto config = folder / "radicale.conf";
        std::ofstream(config) << "[server]\nhosts = 127.0.0.1:" << port_
                              << "\n[auth]\ntype = none\n[rights]\ntype = authenticated\n"
                                 "[storage]\nfilesystem_folder = "
                              << (folder / "collections").string()
                              << "\n[web]\ntype = none\n[logging]\nlevel = warning\n";
        const auto pid_file = folder / "radicale.pid";
        run_command("radicale --config '" + config.string() + "' >'" +
                    (folder / "radicale.log").string() + "' 2>&1 & echo $! >'" + pid_file.string() +
                    "'");
        std::ifstream(pid_file) >> pid_;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!accepts() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }

    ~RadicaleServer()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 50 && ::kill(pid_, 0) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::kill(pid_, SIGKILL);
    }

    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    bool running() const { return pid_ > 0 && accepts(); }
    // "http://127.0.0.1:PORT" followed by the path.
    std::string url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    // A port that the kernel just handed out and took back, free at that moment.
    static int free_port()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        int port = 0;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port = ntohs(address.sin_port);
        ::close(fd);
        return port;
    }

    bool accepts() const
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(uint16_t(port_));
        const bool connected =
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return connected;
    }

    int port_;
    pid_t pid_ = -1;
};
