#pragma once
// The desktop's accessibility bus for one test, as at-spi stands it up: at-spi-bus-launcher on
// the test's own session bus and display starts the accessibility bus (and the registry on it
// when first asked) and names it on the session bus as org.a11y.Bus. The launcher is ended by
// its PID when the object goes, and takes its bus with it. Its socket lives in the runtime
// folder given, so tests running at once never meet.
#include "ChildProcess.h"
#include "TempDevice.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

class AccessibilityBus {
public:
    static constexpr const char* launcher = "/usr/libexec/at-spi-bus-launcher";

    AccessibilityBus(const std::string& session_bus, const std::string& display,
                     const std::filesystem::path& runtime_dir)
    {
        if (!std::filesystem::exists(launcher)) {
            why_not_ = std::string(launcher) + " is not installed (Debian at-spi2-core)";
            return;
        }
        std::filesystem::create_directories(runtime_dir);
        ::chmod(runtime_dir.c_str(), 0700);
        env_ = environment_without({"DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "XDG_RUNTIME_DIR",
                                    "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM"});
        env_.push_back("DBUS_SESSION_BUS_ADDRESS=" + session_bus);
        env_.push_back("DISPLAY=" + display);
        env_.push_back("XDG_RUNTIME_DIR=" + runtime_dir.string());
        launcher_ = std::make_unique<ChildProcess>(
            launcher, std::vector<std::string>{"at-spi-bus-launcher", "--launch-immediately"},
            env_);
        // Named on the session bus once its own bus is up. Asked without starting anything: the
        // session bus would start a launcher of its own for a name asked for by a call.
        const std::string ask = "DBUS_SESSION_BUS_ADDRESS='" + session_bus +
                                "' dbus-send --session --print-reply --dest=org.freedesktop.DBus "
                                "/org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "
                                "string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'";
        for (int i = 0; i < 50 && launcher_->running(); ++i) {
            if (run_command(ask) == 0) {
                ready_ = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        why_not_ = "at-spi-bus-launcher did not name the accessibility bus within 10 seconds";
    }

    bool ready() const { return ready_; }
    // Why the bus is not there, when it is not.
    const std::string& why_not() const { return why_not_; }
    // The environment of a program on this display, session and accessibility bus.
    const std::vector<std::string>& environment() const { return env_; }

private:
    std::vector<std::string> env_;
    std::unique_ptr<ChildProcess> launcher_;
    bool ready_ = false;
    std::string why_not_;
};
