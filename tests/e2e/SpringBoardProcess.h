#pragma once
// The home screen running on a test device with a clock that starts at a chosen local moment
// and runs ten times faster (libfaketime preloaded), so its 10- and 59-second timers fire within
// seconds. The process is ended (SIGTERM, as the platform ends it) when the object goes.
#include "TempDevice.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class SpringBoardProcess {
public:
    static constexpr int kSpeed = 10;

    // start: "YYYY-MM-DD HH:MM:SS", local time.
    SpringBoardProcess(const TempDevice& device, const std::string& start) {
        const std::string program =
            device.path("/System/Library/CoreServices/SpringBoard.app/SpringBoard").string();
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string entry = *e;
            if (entry.rfind("ASAN_OPTIONS=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
                env.push_back(entry);
        }
        // The library itself rather than the faketime program, which would stand between this
        // test and the home screen's process.
        env.push_back("LD_PRELOAD=" + faketime_library());
        env.push_back("FAKETIME=@" + start + " x" + std::to_string(kSpeed));
        // The faked clock is preloaded ahead of the sanitizer's runtime; that order is fine here.
        const char* asan = std::getenv("ASAN_OPTIONS");
        env.push_back(std::string("ASAN_OPTIONS=") + (asan ? asan : "") + ":verify_asan_link_order=0");
        env.push_back("QT_QPA_PLATFORM=offscreen");
        pid_ = spawn(program, {program}, env);
    }

    ~SpringBoardProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 50; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

    SpringBoardProcess(const SpringBoardProcess&) = delete;
    SpringBoardProcess& operator=(const SpringBoardProcess&) = delete;

    bool running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

private:
    // The Debian package faketime's library, in the machine's multiarch folder.
    static std::string faketime_library() {
        std::error_code error;
        for (const auto& arch : std::filesystem::directory_iterator("/usr/lib", error)) {
            const auto library = arch.path() / "faketime" / "libfaketime.so.1";
            if (std::filesystem::exists(library, error)) return library.string();
        }
        return "libfaketime.so.1";
    }

    static pid_t spawn(const std::string& path, const std::vector<std::string>& args,
                       const std::vector<std::string>& env) {
        std::vector<char*> argv, envp;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        pid_t pid = 0;
        return ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), envp.data()) == 0 ? pid : -1;
    }

    pid_t pid_ = -1;
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
