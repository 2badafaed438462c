#pragma once
// A program the end-to-end tests start: its own arguments and environment, optionally its
// standard output into a pipe. It is ended by its PID when the object goes: SIGTERM, as the
// platform ends a program, and SIGKILL when it is still there five seconds later.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

class ChildProcess {
public:
    ChildProcess(const std::string& path, const std::vector<std::string>& args,
                 const std::vector<std::string>& env, int stdout_fd = -1)
    {
        std::vector<char*> argv, envp;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        for (const auto& e : env)
            envp.push_back(const_cast<char*>(e.c_str()));
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (stdout_fd >= 0)
            posix_spawn_file_actions_adddup2(&actions, stdout_fd, STDOUT_FILENO);
        pid_t pid = 0;
        if (::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0)
            pid_ = pid;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    bool running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

    // Waits for the program to end by itself: its exit status, or -1 when it ended otherwise or
    // had not ended within the timeout (it is stopped then).
    int wait_for_exit(std::chrono::milliseconds timeout)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (pid_ > 0 && std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        stop();
        return -1;
    }

    // Sends SIGTERM, as the platform ends a program, and waits for it to end: as wait_for_exit.
    int terminate(std::chrono::milliseconds timeout)
    {
        if (pid_ > 0)
            ::kill(pid_, SIGTERM);
        return wait_for_exit(timeout);
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 50; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

// This process's environment without the variables of the names given.
inline std::vector<std::string> environment_without(const std::vector<std::string>& names)
{
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool dropped = false;
        for (const auto& name : names)
            dropped = dropped || entry.rfind(name + "=", 0) == 0;
        if (!dropped)
            env.push_back(entry);
    }
    return env;
}
