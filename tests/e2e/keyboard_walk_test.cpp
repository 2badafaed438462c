#include "TempDevice.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";
const std::string kContacts = std::string(TORTAMOS_BIN_DIR) + "/contacts";

QJsonObject readDump(const fs::path& file)
{
    std::ifstream in(file);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

// The first shown view, depth first, whose `key` is `value`; empty when none.
QJsonObject shownWith(const QJsonObject& view, const QString& key, const QJsonValue& value)
{
    if (view["hidden"].toBool())
        return {};
    if (view[key] == value)
        return view;
    for (const auto& child : view["children"].toArray())
        if (QJsonObject found = shownWith(child.toObject(), key, value); !found.isEmpty())
            return found;
    return {};
}

TEST(KeyboardEndToEnd, TabEnterEscapeAndCtrlTwoWalkTheAppAndCtrlQEndsItAsAQuitDoes)
{
    TempDevice device;
    ASSERT_EQ(run_command(kInstall + " --build '" + TORTAMOS_BUILD_DIR + "' '" +
                          device.root().string() + "' >/dev/null 2>&1"),
              0);
    // Born today: the first row of the next birthdays.
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    char birthday[16];
    std::strftime(birthday, sizeof birthday, "1980-%m-%d", &today);
    ASSERT_EQ(run_command(kContacts + " add --first Ana --last Lima --birthday " + birthday +
                          " >/dev/null"),
              0);
    const fs::path onRow = device.root() / "row.json", person = device.root() / "person.json",
                   back = device.root() / "back.json", second = device.root() / "second.json";
    const fs::path script = device.root() / "script.txt";
    // The information button, then the list.
    std::ofstream(script) << "wait 100\nkey Tab\nkey Tab\ndump " << onRow.string()
                          << "\nkey Return\nwait 100\ndump " << person.string()
                          << "\nkey Escape\nwait 100\ndump " << back.string()
                          << "\nkey Ctrl+2\nwait 50\ndump " << second.string()
                          << "\nkey Ctrl+Q\nwait 5000\n";
    ASSERT_EQ(run_command("UIKIT_AUTOMATION='" + script.string() + "' timeout 60 '" +
                          device.path("/Applications/Tortamos.app/Tortamos").string() +
                          "' 2>/dev/null </dev/null"),
              0);

    const QJsonObject focusedOnRow = shownWith(readDump(onRow), "focused", true);
    EXPECT_EQ(focusedOnRow["class"].toString(), "UITableView");
    EXPECT_EQ(focusedOnRow["focusedRow"].toVariant().toStringList().join(','), "0,0");

    const QJsonObject personScreen = readDump(person);
    EXPECT_FALSE(shownWith(personScreen, "text", "Back").isEmpty()) << "the person screen shows";
    EXPECT_TRUE(shownWith(personScreen, "class", "TodoCell").isEmpty());

    const QJsonObject backOnList = readDump(back);
    EXPECT_TRUE(shownWith(backOnList, "text", "Back").isEmpty());
    EXPECT_EQ(shownWith(backOnList, "focused", true)["class"].toString(), "UITableView")
        << "the list has the focus again";
    EXPECT_FALSE(shownWith(backOnList, "class", "TodoCell").isEmpty());

    const QJsonObject secondTab = readDump(second);
    EXPECT_TRUE(shownWith(secondTab, "text", "All by Date")["selected"].toBool());
    EXPECT_FALSE(shownWith(secondTab, "text", "Next Birthdays")["selected"].toBool());

    // Ctrl+Q ends it as a quit does: the agent hears of the end, once.
    const std::string journal = device.journal();
    const auto notice = journal.find("notify kTortamosBadge");
    EXPECT_NE(notice, std::string::npos) << journal;
    EXPECT_EQ(journal.find("notify kTortamosBadge", notice + 1), std::string::npos) << journal;
}

} // namespace
