#include "JsonDump.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";
const std::string kContacts = std::string(TORTAMOS_BIN_DIR) + "/contacts";

struct Point {
    double x, y;
};

// A device with Tortamos installed and Ana Lima in its address book.
class PersonScreenEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(run_command(kInstall + " --build '" + TORTAMOS_BUILD_DIR + "' '" +
                              device.root().string() + "' >/dev/null 2>&1"),
                  0);
        ASSERT_EQ(run_command(kContacts +
                              " add --first Ana --last Lima --birthday 1980-03-05"
                              " --phone 'home:(11) 9876-5432' --phone 'mobile:+55 11 1234-5678'"
                              " --email 'work:ana@example.com' >/dev/null"),
                  0);
    }

    // Runs Tortamos with the commands; the person screen of Ana is open when they start.
    void runOnPersonScreen(const std::string& commands)
    {
        const fs::path script = device.root() / "script.txt";
        std::ofstream(script) << "wait 100\ntap All by Name\nwait 50\ntap Ana Lima\nwait 100\n"
                              << commands << "quit\n";
        ASSERT_EQ(run_command(environment + "UIKIT_AUTOMATION='" + script.string() + "' '" +
                              device.path("/Applications/Tortamos.app/Tortamos").string() +
                              "' 2>/dev/null </dev/null"),
                  0);
    }

    QJsonObject dumpOnPersonScreen(const std::string& commands = {})
    {
        const fs::path file = device.root() / "dump.json";
        runOnPersonScreen(commands + "wait 50\ndump " + file.string() + "\n");
        return read_dump(file);
    }

    TempDevice device;
    std::string environment; // assignments before the command, "NAME='value' "
};

std::optional<Point> middleOf(const std::vector<QJsonObject>& views, size_t index = 0)
{
    if (index >= views.size())
        return std::nullopt;
    const QJsonArray frame = views[index]["frame"].toArray();
    return Point{frame[0].toDouble() + frame[2].toDouble() / 2,
                 frame[1].toDouble() + frame[3].toDouble() / 2};
}

std::string tapAt(Point point)
{
    std::ostringstream command;
    command << "tapat " << point.x << ' ' << point.y << "\nwait 100\n";
    return command.str();
}

TEST_F(PersonScreenEndToEnd, TheSecondNumberOfTheSheetOpensATextMessageToIt)
{
    const QJsonObject person = dumpOnPersonScreen();
    const auto send = middleOf(shown_with(person, "image", "email.png"));
    ASSERT_TRUE(send);
    EXPECT_EQ(shown_with(person, "text", "Back").size(), 1u);

    runOnPersonScreen(tapAt(*send) + "tap +55 11 1234-5678\nwait 100\n");
    const std::string journal = device.journal();
    EXPECT_NE(journal.find(" openURL sms:+551112345678\n"), std::string::npos) << journal;
    EXPECT_EQ(journal.find(" openURL sms:1198765432\n"), std::string::npos) << journal;
}

TEST_F(PersonScreenEndToEnd, ABirthdayEditedOnThePersonScreenShowsInTheListAfterBack)
{
    const QJsonObject editing = dumpOnPersonScreen("tap Edit\nwait 50\n");
    // The steppers above the month, the day and the year, left to right.
    const auto monthUp = middleOf(shown_with(editing, "text", "\u25B2"), 0);
    ASSERT_TRUE(monthUp);

    const QJsonObject list = dumpOnPersonScreen("tap Edit\nwait 50\n" + tapAt(*monthUp) +
                                                "tap Done\nwait 50\ntap Back\nwait 100\n");
    EXPECT_TRUE(shown_with(list, "image", "email.png").empty());
    EXPECT_EQ(shown_with(list, "text", "April 5 1980").size(), 1u);
    EXPECT_TRUE(shown_with(list, "text", "March 5 1980").empty());

    const fs::path listed = device.root() / "list.txt";
    ASSERT_EQ(run_command(kContacts + " list > '" + listed.string() + "'"), 0);
    std::ifstream in(listed);
    const std::string persons{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(persons.find("1980-04-05"), std::string::npos) << persons;
}

TEST_F(PersonScreenEndToEnd, DeleteContactReturnsToTheListRebuiltWithoutThePerson)
{
    // The screen's last section holds "Delete Contact"; then the sheet's button that confirms.
    const QJsonObject list = dumpOnPersonScreen(
        "tap Edit\nwait 50\nscrollto 5 0\nwait 50\ntap Delete Contact\nwait 100\n"
        "tap Delete Contact\nwait 100\n");
    EXPECT_TRUE(shown_with(list, "text", "Back").empty()) << "back on the list";
    EXPECT_TRUE(shown_with(list, "text", "Ana Lima").empty());
    const auto tables = shown_with(list, "class", "UITableView");
    ASSERT_EQ(tables.size(), 1u);
    const QJsonArray sections = tables[0]["sections"].toArray();
    ASSERT_EQ(sections.size(), 1);
    EXPECT_EQ(sections[0].toObject()["title"].toString(), "No birthdays in your database");
}

// On a person's own desktop (the launcher's device) where nothing opens sms: URLs, the send
// button's number is not lost in silence.
TEST_F(PersonScreenEndToEnd, TextingWhereNoProgramSendsTextsSaysSoAndOffersToCopyTheNumber)
{
    fs::create_directories(device.path("/var/lib/tortamos"));
    std::ofstream(device.path("/var/lib/tortamos/installed-version")) << "2.1.0\n";
    const fs::path bin = device.root() / "desktop-bin";
    fs::create_directories(bin);
    for (const char* tool : {"xdg-open", "xdg-mime"}) { // a desktop with no handler for sms:
        std::ofstream(bin / tool) << "#!/bin/sh\nexit 0\n";
        fs::permissions(bin / tool, fs::perms::owner_all);
    }
    environment = "PATH='" + bin.string() + ":" + std::getenv("PATH") + "' ";
    const auto send = middleOf(shown_with(dumpOnPersonScreen(), "image", "email.png"));
    ASSERT_TRUE(send);

    const QJsonObject alert = dumpOnPersonScreen(tapAt(*send) + "tap +55 11 1234-5678\nwait 100\n");
    const auto alerts = shown_with(alert, "class", "UIAlertView");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["text"].toString(), "Cannot Send Message");
    EXPECT_NE(alerts[0]["message"].toString().indexOf("sms:"), -1);
    EXPECT_EQ(shown_with(alert, "text", "Copy Number").size(), 1u);
    const std::string journal = device.journal();
    EXPECT_EQ(journal.find("openURL sms:"), std::string::npos) << journal;
}

} // namespace
