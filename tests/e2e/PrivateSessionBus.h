#pragma once
// A D-Bus session bus of one test's own (dbus-daemon --session) with the test desktop services
// (notifications, tray host, dock) on it, both ended by their PIDs when the object goes. What
// the services hear lands in a file of the device's folder: with `full`, each notification's
// number, the one it replaces and its actions too, and the tray's and the dock's lines.
#include "ChildProcess.h"
#include "TempDevice.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

class PrivateSessionBus {
public:
    explicit PrivateSessionBus(const TempDevice& device, bool full = false)
        : notifications_(device.root() / (full ? "desktop.full" : "notifications")),
          late_tray_file_(device.root() / "desktop.tray")
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        daemon_ = std::make_unique<ChildProcess>(
            "/usr/bin/dbus-daemon",
            std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                                     "--print-address"},
            environment_without({}), out[1]);
        ::close(out[1]);
        address_ = read_line(out[0], std::chrono::seconds(5));
        ::close(out[0]);
        if (address_.empty())
            return;
        std::vector<std::string> env = environment_without({"DBUS_SESSION_BUS_ADDRESS"});
        env.push_back("DBUS_SESSION_BUS_ADDRESS=" + address_);
        service_ = std::make_unique<ChildProcess>(
            TORTAMOS_BIN_DIR "/notification_service",
            std::vector<std::string>{"notification_service", notifications_.string()}, env);
        for (int i = 0; i < 100 && !std::filesystem::exists(notifications_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    // Empty when the bus did not start.
    const std::string& address() const { return address_; }
    bool serving() const { return std::filesystem::exists(notifications_); }
    std::string notifications() const
    {
        std::ifstream in(notifications_);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Starts a tray host (and dock) on the bus, as a panel started after login does; what it
    // hears goes to a file of its own (late_tray_heard). False when it did not come up.
    bool start_late_tray()
    {
        std::vector<std::string> env = environment_without({"DBUS_SESSION_BUS_ADDRESS"});
        env.push_back("DBUS_SESSION_BUS_ADDRESS=" + address_);
        late_tray_ = std::make_unique<ChildProcess>(
            TORTAMOS_BIN_DIR "/notification_service",
            std::vector<std::string>{"notification_service", late_tray_file_.string()}, env);
        for (int i = 0; i < 100 && !std::filesystem::exists(late_tray_file_); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return std::filesystem::exists(late_tray_file_);
    }
    std::string late_tray_heard() const
    {
        std::ifstream in(late_tray_file_);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Waits (real time) until what the services heard holds the text; returns it then.
    std::string wait_for(const std::string& text,
                         std::chrono::milliseconds timeout = std::chrono::seconds(15)) const
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string heard = notifications();
        while (heard.find(text) == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            heard = notifications();
        }
        return heard;
    }

    // The first line a program writes to the pipe, without its end; empty when none came in time.
    static std::string read_line(int fd, std::chrono::milliseconds timeout)
    {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (line.find('\n') == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0)
                continue;
            char buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            line.append(buffer, size_t(n));
        }
        const size_t end = line.find('\n');
        return end == std::string::npos ? std::string() : line.substr(0, end);
    }

private:
    std::filesystem::path notifications_;
    std::filesystem::path late_tray_file_;
    std::string address_;
    // The services go before their bus.
    std::unique_ptr<ChildProcess> daemon_;
    std::unique_ptr<ChildProcess> service_;
    std::unique_ptr<ChildProcess> late_tray_;
};
