#include "TempDevice.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";
const std::string kContacts = std::string(TORTAMOS_BIN_DIR) + "/contacts";
const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

std::tm localDay(std::time_t at)
{
    std::tm day{};
    localtime_r(&at, &day);
    return day;
}

std::string isoDate(int year, const std::tm& day)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, day.tm_mon + 1, day.tm_mday);
    return text;
}

QJsonObject readDump(const fs::path& file)
{
    std::ifstream in(file);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

// Every view of the dump that `match` takes, depth first, back to front.
void collect(const QJsonObject& view, const std::function<bool(const QJsonObject&)>& match,
             std::vector<QJsonObject>& found)
{
    if (match(view))
        found.push_back(view);
    for (const auto& child : view["children"].toArray())
        collect(child.toObject(), match, found);
}

std::vector<QJsonObject> viewsOfClass(const QJsonObject& dump, const QString& name)
{
    std::vector<QJsonObject> found;
    collect(
        dump, [&](const QJsonObject& v) { return v["class"].toString() == name; }, found);
    return found;
}

// "title:rows" for each section of the list table.
std::vector<std::string> sections(const QJsonObject& dump)
{
    std::vector<std::string> result;
    for (const QJsonObject& table : viewsOfClass(dump, "UITableView"))
        for (const auto& entry : table["sections"].toArray()) {
            const QJsonObject section = entry.toObject();
            result.push_back(section["title"].toString().toStdString() + ":" +
                             std::to_string(section["rows"].toInt()));
        }
    return result;
}

// The texts of the labels of each birthday row on screen, with the countdown's colour.
struct Row {
    std::string name, countdown, colour;
};
std::vector<Row> rows(const QJsonObject& dump)
{
    std::vector<Row> result;
    for (const QJsonObject& cell : viewsOfClass(dump, "TodoCell")) {
        const auto labels = viewsOfClass(cell, "UILabel");
        if (labels.size() != 5)
            continue;
        // Back to front: name, sign name, date, age, countdown.
        result.push_back({labels[0]["text"].toString().toStdString(),
                          labels[4]["text"].toString().toStdString(),
                          labels[4]["textColor"].toString().toStdString()});
    }
    return result;
}

const Row* rowNamed(const std::vector<Row>& rows, const std::string& name)
{
    for (const Row& row : rows)
        if (row.name == name)
            return &row;
    return nullptr;
}

QJsonObject tabItem(const QJsonObject& dump, const QString& title)
{
    std::vector<QJsonObject> found;
    collect(
        dump,
        [&](const QJsonObject& v) { return v["text"].toString() == title && v.contains("tag"); },
        found);
    return found.empty() ? QJsonObject() : found.front();
}

TEST(MainScreenEndToEnd, ShowsTheThreeListsWithTodaysBadgeAndTellsTheAgentAtTheEnd)
{
    TempDevice device;
    ASSERT_EQ(run_command(kInstall + " --build '" + TORTAMOS_BUILD_DIR + "' '" +
                          device.root().string() + "' >/dev/null 2>&1"),
              0);
    const std::time_t now = std::time(nullptr);
    const std::tm today = localDay(now);
    const std::tm tomorrow = localDay(now + 24 * 3600);
    const bool tomorrowThisYear = tomorrow.tm_year == today.tm_year;
    ASSERT_EQ(run_command(kContacts + " add --first Ana --last Lima --birthday " +
                          isoDate(1980, today) + " >/dev/null"),
              0);
    if (tomorrowThisYear) {
        ASSERT_EQ(run_command(kContacts + " add --first Bia --birthday " + isoDate(1990, tomorrow) +
                              " >/dev/null"),
                  0);
    }
    ASSERT_EQ(run_command(kContacts + " add --first Zeca >/dev/null"), 0); // no birthday: no row

    const fs::path next = device.root() / "next.json", byDate = device.root() / "date.json",
                   byName = device.root() / "name.json";
    const fs::path script = device.root() / "script.txt";
    std::ofstream(script) << "wait 100\ndump " << next.string()
                          << "\ntap All by Date\nwait 50\ndump " << byDate.string()
                          << "\ntap All by Name\nwait 50\ndump " << byName.string() << "\nquit\n";
    ASSERT_EQ(run_command("UIKIT_AUTOMATION='" + script.string() + "' '" +
                          device.path("/Applications/Tortamos.app/Tortamos").string() +
                          "' 2>/dev/null </dev/null"),
              0);

    const std::string month = kMonths[today.tm_mon];
    const QJsonObject nextDump = readDump(next);
    const int sameMonth = tomorrowThisYear && tomorrow.tm_mon == today.tm_mon ? 2 : 1;
    std::vector<std::string> expected = {month + ":" + std::to_string(sameMonth)};
    if (tomorrowThisYear && sameMonth == 1)
        expected.push_back(std::string(kMonths[tomorrow.tm_mon]) + ":1");
    EXPECT_EQ(sections(nextDump), expected);

    const auto shown = rows(nextDump);
    const Row* ana = rowNamed(shown, "Ana Lima");
    ASSERT_TRUE(ana);
    EXPECT_EQ(ana->countdown, "Today");
    EXPECT_EQ(ana->colour, "#ff0000");
    if (tomorrowThisYear) {
        const Row* bia = rowNamed(shown, "Bia");
        ASSERT_TRUE(bia);
        EXPECT_EQ(bia->countdown, "Tomorrow");
        EXPECT_EQ(bia->colour, "#800080");
    }
    EXPECT_EQ(tabItem(nextDump, "Next Birthdays")["badge"].toString(), "1");
    EXPECT_TRUE(tabItem(nextDump, "Next Birthdays")["selected"].toBool());

    const QJsonObject nameDump = readDump(byName);
    std::vector<std::string> names = {"A:1"};
    if (tomorrowThisYear)
        names.push_back("B:1");
    EXPECT_EQ(sections(nameDump), names);
    EXPECT_TRUE(tabItem(nameDump, "All by Name")["selected"].toBool());
    EXPECT_EQ(tabItem(nameDump, "Next Birthdays")["badge"].toString(), "1");
    EXPECT_FALSE(sections(readDump(byDate)).empty());

    EXPECT_NE(device.journal().find("notify kTortamosBadge"), std::string::npos);
}

} // namespace
