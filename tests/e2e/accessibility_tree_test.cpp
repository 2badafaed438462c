#include "AccessibilityBus.h"
#include "ChildProcess.h"
#include "PrivateDisplay.h"
#include "PrivateSessionBus.h"
#include "TempDevice.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";
const std::string kContacts = std::string(TORTAMOS_BIN_DIR) + "/contacts";
const std::string kReader = std::string(TORTAMOS_SOURCE_DIR) + "/tests/e2e/read_accessible_tree.py";
const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

std::string read(const fs::path& file)
{
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The text after "<key> " on the line that starts with it; empty when no line does.
std::string lineAfter(const std::string& text, const std::string& key)
{
    const std::string start = key + " ";
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? end : end - at);
        if (line.rfind(start, 0) == 0)
            return line.substr(start.size());
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return {};
}

// The environment that puts a program on the test's display and buses, as `env` arguments.
std::string readerEnvironment(const AccessibilityBus& accessibility)
{
    std::string command;
    for (const auto& setting : accessibility.environment())
        if (setting.rfind("DISPLAY=", 0) == 0 ||
            setting.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) == 0 ||
            setting.rfind("XDG_RUNTIME_DIR=", 0) == 0)
            command += "'" + setting + "' ";
    return command;
}

// Tortamos with a screen reader's bus turned on, running the automation script.
std::unique_ptr<ChildProcess> startTortamos(const TempDevice& device,
                                            const AccessibilityBus& accessibility,
                                            const fs::path& script)
{
    std::vector<std::string> env = accessibility.environment();
    for (const char* setting : {"QT_ACCESSIBILITY=1", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"})
        env.emplace_back(setting);
    env.push_back("UIKIT_AUTOMATION=" + script.string());
    const std::string program = device.path("/Applications/Tortamos.app/Tortamos").string();
    return std::make_unique<ChildProcess>(program, std::vector<std::string>{program}, env);
}

// A device laid out with persons named Lima, and the display and the buses a screen reader
// needs. A test skips when no accessibility bus can be started on this machine.
class AccessibilityEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(run_command(kInstall + " --build '" + TORTAMOS_BUILD_DIR + "' '" +
                              device.root().string() + "' >/dev/null 2>&1"),
                  0);
    }

    // Adds "<first> Lima", born in 1992 on the day `inDays` after today; that day, in local time.
    std::tm addLimaBornIn(const char* first, int inDays)
    {
        const std::time_t day = std::time(nullptr) + std::time_t(inDays) * 24 * 3600;
        std::tm date{};
        localtime_r(&day, &date);
        char birthday[32];
        std::snprintf(birthday, sizeof birthday, "1992-%02d-%02d", date.tm_mon + 1, date.tm_mday);
        EXPECT_EQ(run_command(kContacts + " add --first " + first + " --last Lima --birthday " +
                              birthday + " >/dev/null"),
                  0);
        return date;
    }

    // The caller returns when this failed or skipped (HasFatalFailure(), IsSkipped()).
    void startDisplayAndBuses()
    {
        display_ = std::make_unique<PrivateDisplay>();
        ASSERT_FALSE(display_->name().empty()) << "Xvfb did not start";
        session_ = std::make_unique<PrivateSessionBus>(device);
        ASSERT_FALSE(session_->address().empty()) << "dbus-daemon did not start";
        accessibility_ = std::make_unique<AccessibilityBus>(session_->address(), display_->name(),
                                                            device.root() / "run");
        if (!accessibility_->ready())
            GTEST_SKIP() << accessibility_->why_not();
    }

    const AccessibilityBus& accessibility() const { return *accessibility_; }

    TempDevice device;

private:
    std::unique_ptr<PrivateDisplay> display_;
    std::unique_ptr<PrivateSessionBus> session_;
    std::unique_ptr<AccessibilityBus> accessibility_;
};

TEST_F(AccessibilityEndToEnd, AScreenReaderReadsTheFirstRowTheSelectedTabAndASwitch)
{
    const std::tm today = addLimaBornIn("Ana", 0);
    startDisplayAndBuses();
    if (HasFatalFailure() || IsSkipped())
        return;
    const AccessibilityBus& accessibility = this->accessibility();

    // The application stays up while the screen reader looks; the dump says it has started.
    const fs::path started = device.root() / "started.json";
    const fs::path script = device.root() / "script.txt";
    std::ofstream(script) << "wait 100\ndump " << started.string() << "\nwait 60000\nquit\n";
    const auto tortamos = startTortamos(device, accessibility, script);
    for (int i = 0; i < 300 && !fs::exists(started) && tortamos->running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(fs::exists(started)) << "Tortamos did not start";

    // The reader presses the Settings tab as a screen reader's user would, then reads the
    // switches there.
    const fs::path heard = device.root() / "heard.txt";
    EXPECT_EQ(run_command("env " + readerEnvironment(accessibility) +
                          "timeout 90 /usr/bin/python3 '" + kReader +
                          "' Tortamos --press Settings --timeout 60 >'" + heard.string() +
                          "' 2>&1"),
              0);
    const std::string tree = read(heard);

    const std::string row = lineAfter(tree, "ROW");
    EXPECT_NE(row.find("Ana Lima"), std::string::npos) << tree;
    EXPECT_NE(row.find(std::string(kMonths[today.tm_mon]) + " " + std::to_string(today.tm_mday)),
              std::string::npos)
        << tree;
    EXPECT_NE(row.find("Today"), std::string::npos) << tree;
    EXPECT_EQ(lineAfter(tree, "TAB"), "Next Birthdays") << tree;
    // Pressing the tab was announced, and so was the new screen under the window.
    EXPECT_NE(tree.find("HEARD object:state-changed:selected page tab \"Settings\""),
              std::string::npos)
        << tree;
    EXPECT_NE(tree.find("HEARD object:children-changed:add frame"), std::string::npos) << tree;
    // The device's first settings: the sound on, the horoscope shown.
    EXPECT_NE(tree.find("SWITCH Sound: checked"), std::string::npos) << tree;
    EXPECT_NE(tree.find("SWITCH Hide Horoscope: unchecked"), std::string::npos) << tree;
}

// What a screen reader speaks from, in the order the keyboard's user causes it: the ring on a
// row (its whole text), the person screen pushed, a switch turned off, a wheel of the time
// picker turned.
TEST_F(AccessibilityEndToEnd, AScreenReaderHearsTheRingTheScreensAndTheChanges)
{
    addLimaBornIn("Ana", 0);
    addLimaBornIn("Bruno", 1);
    startDisplayAndBuses();
    if (HasFatalFailure() || IsSkipped())
        return;
    const AccessibilityBus& accessibility = this->accessibility();

    const fs::path listening = device.root() / "listening";
    const fs::path script = device.root() / "script.txt";
    // The list: the information button, the rows. Settings: Save, the table, then a switch a
    // row: Use Badge, Popup, Sound; the time row opens the picker over the lower switches. The
    // script goes on from a change once the reader has heard it (on a busy machine the reader
    // may ask about a switch after the next keys, or about the wheel after the application quit).
    const std::string heardOf = listening.string() + ".object-";
    std::ofstream(script) << "waitfile " << listening.string() << "\n"
                          << "key Tab\nkey Tab\nkey Down\nkey Up\nkey Return\nwait 300\n"
                          << "key Escape\nkey Ctrl+4\n"
                          << "key Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab\nkey Space\n"
                          << "waitfile " << heardOf << "state-changed-checked-Sound\n"
                          << "key Shift+Tab\nkey Shift+Tab\nkey Shift+Tab\nkey Down\nkey Return\n"
                          << "key Tab\nkey Tab\nkey Tab\nkey Down\n"
                          << "waitfile " << heardOf << "property-change-accessible-value-Hours\n"
                          << "quit\n";
    // The reader listens before Tortamos starts: an application asks which events are listened
    // for as it starts up, and may hear of a listener added later only after its first keys.
    const fs::path spoken = device.root() / "spoken.txt";
    const int out = ::open(spoken.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ChildProcess reader(
        "/usr/bin/python3",
        {"python3", kReader, "Tortamos", "--listen", listening.string(), "--timeout", "100"},
        accessibility.environment(), out);
    ::close(out);
    for (int i = 0; i < 300 && !fs::exists(listening) && reader.running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto tortamos = startTortamos(device, accessibility, script);
    EXPECT_EQ(reader.wait_for_exit(std::chrono::seconds(120)), 0);
    const std::string heard = read(spoken);

    // Each in its turn: a line that holds all the parts, after the one before.
    size_t at = 0;
    const auto next = [&](std::initializer_list<std::string> parts) {
        for (size_t line = at; line < heard.size();) {
            const size_t end = std::min(heard.find('\n', line), heard.size());
            const std::string text = heard.substr(line, end - line);
            if (std::all_of(parts.begin(), parts.end(), [&](const std::string& part) {
                    return text.find(part) != std::string::npos;
                })) {
                at = end;
                return true;
            }
            line = end + 1;
        }
        return false;
    };
    EXPECT_TRUE(next({"SPOKE focus: list item \"Ana Lima", "Today"})) << heard;
    EXPECT_TRUE(next({"SPOKE focus: list item \"Bruno Lima"})) << heard;
    EXPECT_TRUE(next({"SPOKE focus: list item \"Ana Lima"})) << heard;
    // The person screen has no title: it is read by its first row, the name.
    EXPECT_TRUE(next({"SPOKE focus: list item \"Ana Lima\""})) << heard;
    EXPECT_TRUE(next({"SPOKE focus: check box \"Sound\""})) << heard;
    EXPECT_TRUE(next({"SPOKE object:state-changed:checked check box \"Sound\" 0"})) << heard;
    EXPECT_TRUE(next({"SPOKE focus: spin button \"Hours\""})) << heard;
    EXPECT_TRUE(next({"SPOKE object:property-change:accessible-value spin button \"Hours\""}))
        << heard;
}

} // namespace
