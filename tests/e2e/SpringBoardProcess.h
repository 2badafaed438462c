#pragma once
// The home screen running on a test device with a clock that starts at a chosen local moment
// and runs ten times faster (libfaketime preloaded), so its 10- and 59-second timers fire within
// seconds. The process is ended (SIGTERM, as the platform ends it) when the object goes. Unless
// a test names one, there is no session bus, as on a machine without a desktop.
#include "ChildProcess.h"
#include "TempDevice.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

// Lays the device out as the installation does, with this build's programs; true when it did.
inline bool install_built_device(const TempDevice& device) {
    return run_command(std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device --build '" +
                       TORTAMOS_BUILD_DIR + "' '" + device.root().string() + "' >/dev/null 2>&1") == 0;
}

class SpringBoardProcess {
public:
    static constexpr int kSpeed = 10;

    // start: "YYYY-MM-DD HH:MM:SS", local time. The home screen reaches no session bus unless
    // one is named in extra_env ("DBUS_SESSION_BUS_ADDRESS=..."), so a test never sends to the
    // desktop of whoever runs it.
    // args: the program's arguments after its name.
    SpringBoardProcess(const TempDevice& device, const std::string& start,
                       const std::vector<std::string>& extra_env = {}, const std::vector<std::string>& args = {})
        : process_(program(device), arguments(device, args), environment(device, start, extra_env)) {}

    bool running() const { return process_.running(); }

    static std::string program(const TempDevice& device) {
        return device.path("/System/Library/CoreServices/SpringBoard.app/SpringBoard").string();
    }

private:
    static std::vector<std::string> arguments(const TempDevice& device, std::vector<std::string> args) {
        args.insert(args.begin(), program(device));
        return args;
    }

    static std::vector<std::string> environment(const TempDevice& device, const std::string& start,
                                                const std::vector<std::string>& extra_env) {
        std::vector<std::string> env =
            environment_without({"ASAN_OPTIONS", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"});
        // The library itself rather than the faketime program, which would stand between this
        // test and the home screen's process.
        env.push_back("LD_PRELOAD=" + faketime_library());
        env.push_back("FAKETIME=@" + start + " x" + std::to_string(kSpeed));
        // The faked clock is preloaded ahead of the sanitizer's runtime; that order is fine here.
        const char* asan = std::getenv("ASAN_OPTIONS");
        env.push_back(std::string("ASAN_OPTIONS=") + (asan ? asan : "") + ":verify_asan_link_order=0");
        env.push_back("QT_QPA_PLATFORM=offscreen");
        env.push_back("DBUS_SESSION_BUS_ADDRESS=unix:path=" + device.path("/no-bus").string());
        for (const auto& entry : extra_env) {
            const std::string name = entry.substr(0, entry.find('=') + 1);
            std::erase_if(env, [&](const std::string& e) { return e.rfind(name, 0) == 0; });
            env.push_back(entry);
        }
        return env;
    }

    // The Debian package faketime's library, in the machine's multiarch folder.
    static std::string faketime_library() {
        std::error_code error;
        for (const auto& arch : std::filesystem::directory_iterator("/usr/lib", error)) {
            const auto library = arch.path() / "faketime" / "libfaketime.so.1";
            if (std::filesystem::exists(library, error)) return library.string();
        }
        return "libfaketime.so.1";
    }

    ChildProcess process_;
};

// Waits (real time) until the device journal holds the text; returns the journal then.
inline std::string wait_for_journal(const TempDevice& device, const std::string& text,
                                    std::chrono::milliseconds timeout = std::chrono::seconds(15)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string journal = device.journal();
    while (journal.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        journal = device.journal();
    }
    return journal;
}
