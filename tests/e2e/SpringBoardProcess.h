#pragma once
// The home screen running on a test device with a clock that starts at a chosen local moment
// and runs ten times faster (libfaketime preloaded), so its 10- and 59-second timers fire within
// seconds. The process is ended (SIGTERM, as the platform ends it) when the object goes. Unless
// a test names one, there is no session bus, as on a machine without a desktop.
#include "ChildProcess.h"
#include "TempDevice.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

// Ten times faster: the home screen's 10- and 59-second timers fire within seconds.
inline constexpr int kFakedClockSpeed = 10;

// Lays the device out as the installation does, with this build's programs; true when it did.
inline bool install_built_device(const TempDevice& device)
{
    return run_command(std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device --build '" +
                       TORTAMOS_BUILD_DIR + "' '" + device.root().string() + "' >/dev/null 2>&1") ==
           0;
}

// The Debian package faketime's library, in the machine's multiarch folder.
inline std::string faketime_library()
{
    std::error_code error;
    for (const auto& arch : std::filesystem::directory_iterator("/usr/lib", error)) {
        const auto library = arch.path() / "faketime" / "libfaketime.so.1";
        if (std::filesystem::exists(library, error))
            return library.string();
    }
    return "libfaketime.so.1";
}

// The environment of a program of the test device on a clock that starts at `start` ("YYYY-MM-DD
// HH:MM:SS", local time) and runs kFakedClockSpeed times faster, offscreen. It reaches
// no session bus unless one is named in extra_env ("DBUS_SESSION_BUS_ADDRESS=..."), so a test
// never sends to the desktop of whoever runs it. Programs started with the same `start` agree on
// the day.
inline std::vector<std::string> faked_clock_environment(
    const TempDevice& device, const std::string& start,
    const std::vector<std::string>& extra_env = {})
{
    std::vector<std::string> env =
        environment_without({"ASAN_OPTIONS", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"});
    // The library itself rather than the faketime program, which would stand between the test
    // and the program's process.
    env.push_back("LD_PRELOAD=" + faketime_library());
    env.push_back("FAKETIME=@" + start + " x" + std::to_string(kFakedClockSpeed));
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

class SpringBoardProcess {
public:
    static constexpr int kSpeed = kFakedClockSpeed;

    // start and extra_env: as for faked_clock_environment.
    // args: the program's arguments after its name.
    SpringBoardProcess(const TempDevice& device, const std::string& start,
                       const std::vector<std::string>& extra_env = {},
                       const std::vector<std::string>& args = {})
        : process_(program(device), arguments(device, args),
                   faked_clock_environment(device, start, extra_env))
    {
    }

    bool running() const { return process_.running(); }
    // Its exit status after SIGTERM; -1 when it did not end by itself within the timeout.
    int terminate(std::chrono::milliseconds timeout) { return process_.terminate(timeout); }

    static std::string program(const TempDevice& device)
    {
        return device.path("/System/Library/CoreServices/SpringBoard.app/SpringBoard").string();
    }

private:
    static std::vector<std::string> arguments(const TempDevice& device,
                                              std::vector<std::string> args)
    {
        args.insert(args.begin(), program(device));
        return args;
    }

    ChildProcess process_;
};

// How long (real time) a test waits for what the home screen journals before it fails. Generous:
// with both cores busy, a home screen under the sanitizers takes half a minute to start, and a
// wait that succeeds ends at once.
inline constexpr std::chrono::seconds kJournalPatience{120};

// Waits until the device journal holds the text; returns the journal then.
inline std::string wait_for_journal(const TempDevice& device, const std::string& text,
                                    std::chrono::milliseconds timeout = kJournalPatience)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string journal = device.journal();
    while (journal.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        journal = device.journal();
    }
    return journal;
}

// Waits until the device journal holds the text `times` times; returns the journal then.
inline std::string wait_for_journal_count(const TempDevice& device, const std::string& text,
                                          size_t times,
                                          std::chrono::milliseconds timeout = kJournalPatience)
{
    const auto count = [&](const std::string& journal) {
        size_t n = 0;
        for (size_t at = journal.find(text); at != std::string::npos;
             at = journal.find(text, at + 1))
            ++n;
        return n;
    };
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string journal = device.journal();
    while (count(journal) < times && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        journal = device.journal();
    }
    return journal;
}

// One line of the device journal: the time of day it was written, in seconds of the home screen's
// sped-up clock, and its event ("badge com.Qarvex.Tortamos \"1\"").
struct JournalLine {
    double seconds = 0;
    std::string event;
};

// The lines from the home screen's launch on, its launch line first; none before the launch.
// A busy machine may start the home screen late, so what the agent does is timed from here, never
// from the moment the test asked for.
inline std::vector<JournalLine> lines_since_launch(const std::string& journal)
{
    std::vector<JournalLine> lines;
    size_t start = 0;
    while (start < journal.size()) {
        size_t end = journal.find('\n', start);
        if (end == std::string::npos)
            end = journal.size();
        const std::string line = journal.substr(start, end - start);
        start = end + 1;
        const size_t t = line.find('T');
        const size_t space = line.find(' ');
        if (t == std::string::npos || space == std::string::npos || t + 12 > space)
            continue;
        const std::string event = line.substr(space + 1);
        if (lines.empty() && event != "launch com.apple.springboard")
            continue;
        const double seconds = std::stoi(line.substr(t + 1, 2)) * 3600.0 +
                               std::stoi(line.substr(t + 4, 2)) * 60.0 +
                               std::stod(line.substr(t + 7, 6));
        lines.push_back({seconds, event});
    }
    return lines;
}

// The lines whose event begins with the text, in order.
inline std::vector<JournalLine> lines_of(const std::vector<JournalLine>& lines,
                                         const std::string& text)
{
    std::vector<JournalLine> found;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                 [&](const JournalLine& line) { return line.event.rfind(text, 0) == 0; });
    return found;
}
