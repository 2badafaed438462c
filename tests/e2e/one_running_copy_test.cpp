// One running copy of each application per device, and a window left open that stays current:
// the real programs, each with an automation script that dumps its screen at its own pace, on a
// device of the test's own.
#include "ChildProcess.h"
#include "JsonDump.h"
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kBin = TORTAMOS_BIN_DIR;

std::string output_of(const std::string& command, int& status)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return out;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    const int ended = ::pclose(pipe);
    status = WIFEXITED(ended) ? WEXITSTATUS(ended) : -1;
    return out;
}

size_t count_of(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class OneRunningCopy : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(install_built_device(device)); }

    // Starts the application with the script; it runs until the test ends it.
    std::unique_ptr<ChildProcess> start(const std::string& program, const std::string& script)
    {
        const fs::path file = device.root() / (fs::path(program).filename().string() + ".txt");
        std::ofstream(file) << script;
        std::vector<std::string> env = environment_without({"UIKIT_AUTOMATION"});
        env.push_back("UIKIT_AUTOMATION=" + file.string());
        return std::make_unique<ChildProcess>(program, std::vector<std::string>{program}, env);
    }
    // Waits for the dump the running program's script writes; empty when none came in time.
    QJsonObject dumped(const std::string& name) const
    {
        const fs::path file = device.root() / name;
        const auto deadline = std::chrono::steady_clock::now() + kJournalPatience;
        while (!fs::exists(file) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // written whole
        return read_dump(file);
    }
    std::string dumpTo(const std::string& name) const
    {
        return "dump " + (device.root() / name).string() + "\n";
    }
    std::string path(const char* device_path) const { return device.path(device_path).string(); }

    TempDevice device;
};

TEST_F(OneRunningCopy, AnOpenTortamosShowsAPersonAddedMeanwhileAndASecondStartHandsOverToIt)
{
    const std::string tortamos = path("/Applications/Tortamos.app/Tortamos");
    // Long enough between the dumps for the test to add the person and the window to notice.
    auto first = start(tortamos, "wait 100\n" + dumpTo("before.json") + "wait 10000\n" +
                                     dumpTo("after.json"));
    const QJsonObject before = dumped("before.json");
    ASSERT_FALSE(before.isEmpty());
    EXPECT_TRUE(shown_with(before, "text", "Zoe").empty());
    EXPECT_TRUE(shown_with(before, "badge", "1").empty());

    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    char birthday[40];
    std::snprintf(birthday, sizeof birthday, "1990-%02d-%02d", today.tm_mon + 1, today.tm_mday);
    ASSERT_EQ(
        run_command(kBin + "/contacts add --first Zoe --birthday " + birthday + " >/dev/null"), 0);

    const QJsonObject after = dumped("after.json");
    EXPECT_EQ(shown_with(after, "text", "Zoe").size(), 1u) << "the list shows her, unrestarted";
    EXPECT_EQ(shown_with(after, "badge", "1").size(), 1u) << "born today";
    EXPECT_TRUE(shown_with(after, "text", "Next Birthdays")[0]["selected"].toBool());

    // A second start leaves the first one the only one, and never loads the toolkit to do so.
    const fs::path loaded = device.root() / "second-start-libraries.txt";
    EXPECT_EQ(
        run_command("LD_DEBUG=files '" + tortamos + "' 2>'" + loaded.string() + "' </dev/null"), 0);
    std::ifstream loaded_file(loaded);
    const std::string libraries{std::istreambuf_iterator<char>(loaded_file), {}};
    EXPECT_NE(libraries.find("libos_foundation.so"), std::string::npos) << "LD_DEBUG is heard";
    EXPECT_EQ(libraries.find("libos_uikit.so"), std::string::npos) << libraries;
    EXPECT_EQ(libraries.find("libQt6"), std::string::npos) << libraries;
    const std::string journal = wait_for_journal(device, "handover com.Qarvex.Tortamos");
    EXPECT_EQ(count_of(journal, " handover com.Qarvex.Tortamos\n"), 1u) << journal;
    EXPECT_TRUE(first->running());
}

TEST_F(OneRunningCopy, ContactsStartedAgainWithAFileImportsItInTheRunningCopy)
{
    const fs::path card = device.root() / "given.vcf";
    std::ofstream(card) << "BEGIN:VCARD\nVERSION:3.0\nN:Lima;Ana;;;\nBDAY:1990-05-10\nEND:VCARD\n";
    const std::string contacts = path("/Applications/Contacts.app/Contacts");
    auto first = start(contacts, "wait 100\n" + dumpTo("started.json") + "wait 8000\n" +
                                     dumpTo("handed.json"));
    ASSERT_FALSE(dumped("started.json").isEmpty());

    EXPECT_EQ(run_command("cd '" + device.root().string() + "' && '" + contacts +
                          "' given.vcf 2>/dev/null </dev/null"),
              0);
    const QJsonObject handed = dumped("handed.json");
    const auto alerts = shown_with(handed, "class", "UIAlertView");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["message"].toString(), "added 1, updated 0, unchanged 0");
    EXPECT_FALSE(shown_with(handed, "text", "Ana Lima").empty());
    const std::string journal = device.journal();
    EXPECT_EQ(count_of(journal, " handover com.apple.MobileAddressBook\n"), 1u) << journal;
    EXPECT_TRUE(first->running());
}

// Answered on standard output before anything else: with no display to open a window on and no
// device, the answer still comes, and no device is made.
TEST(EveryProgram, AnswersHelpAndVersionWithoutAWindowOrADevice)
{
    TempDevice device;
    const fs::path nowhere = device.root() / "no-device";
    const std::string env = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DEVICE_ROOT='" +
                            nowhere.string() + "' ";
    for (const std::string& program :
         {std::string(TORTAMOS_APP_DIR) + "/Tortamos", kBin + "/../Contacts.app/Contacts",
          kBin + "/../SpringBoard.app/SpringBoard", kBin + "/contacts", kBin + "/notifyutil"}) {
        SCOPED_TRACE(program);
        int status = -1;
        const std::string help = output_of(env + "'" + program + "' --help 2>&1", status);
        EXPECT_EQ(status, 0) << help;
        EXPECT_TRUE(std::regex_search(help, std::regex("^[Uu]sage: \\S+.*\n(.*\n)*.*--version")))
            << help;
        const std::string version = output_of(env + "'" + program + "' --version 2>&1", status);
        EXPECT_EQ(status, 0) << version;
        EXPECT_TRUE(std::regex_match(version, std::regex("\\S+ \\d+\\.\\d+\\.\\d+\n"))) << version;
    }
    EXPECT_FALSE(fs::exists(nowhere));
}

} // namespace
