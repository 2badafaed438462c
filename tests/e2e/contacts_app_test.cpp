#include "JsonDump.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kInstall = std::string(TORTAMOS_SOURCE_DIR) + "/scripts/install-device";
const std::string kContacts = std::string(TORTAMOS_BIN_DIR) + "/contacts";

// "title:rows" for each section of the list, and the index's titles.
std::vector<std::string> sections(const QJsonObject& dump)
{
    std::vector<std::string> result;
    for (const QJsonObject& table : shown_with(dump, "class", "UITableView"))
        for (const auto& entry : table["sections"].toArray())
            result.push_back(entry.toObject()["title"].toString().toStdString() + ":" +
                             std::to_string(entry.toObject()["rows"].toInt()));
    return result;
}

std::string indexTitles(const QJsonObject& dump)
{
    std::string titles;
    for (const QJsonObject& index : shown_with(dump, "class", "UITableViewIndex"))
        for (const auto& entry : index["titles"].toArray())
            titles += entry.toObject()["title"].toString().toStdString();
    return titles;
}

TEST(ContactsAppEndToEnd, ListsThePersonsInSectionsTypingFiltersAndATapOpensThePerson)
{
    TempDevice device;
    ASSERT_EQ(run_command(kInstall + " --build '" + TORTAMOS_BUILD_DIR + "' '" +
                          device.root().string() + "' >/dev/null 2>&1"),
              0);
    for (const char* add :
         {"--first Ada --last Lovelace --birthday 1815-12-10", "--first Alan --last Turing",
          "--first Grace --last Hopper", "--first Émile --last Zola", "--first Cher", "--first ''"})
        ASSERT_EQ(run_command(kContacts + " add " + add + " >/dev/null"), 0) << add;

    const fs::path list = device.root() / "list.json", search = device.root() / "search.json",
                   person = device.root() / "person.json", script = device.root() / "script.txt";
    std::ofstream(script) << "wait 100\ndump " << list.string()
                          << "\ntap Search\ntype TUR\nwait 50\n"
                          << "dump " << search.string() << "\ntap Alan Turing\nwait 100\ndump "
                          << person.string() << "\nquit\n";
    ASSERT_EQ(run_command("UIKIT_AUTOMATION='" + script.string() + "' '" +
                          device.path("/Applications/Contacts.app/Contacts").string() +
                          "' 2>/dev/null </dev/null"),
              0);

    const QJsonObject listDump = read_dump(list);
    EXPECT_EQ(sections(listDump),
              (std::vector<std::string>{"C:1", "H:1", "L:1", "T:1", "Z:1", "#:1"}));
    EXPECT_EQ(indexTitles(listDump), "CHLTZ#");
    EXPECT_FALSE(shown_with(listDump, "text", "Contacts").empty()) << "the title";
    EXPECT_FALSE(shown_with(listDump, "text", "No Name").empty());
    EXPECT_EQ(shown_with(listDump, "placeholder", "Search").size(), 1u);

    const QJsonObject searchDump = read_dump(search);
    EXPECT_EQ(sections(searchDump), (std::vector<std::string>{"T:1"}));
    EXPECT_EQ(shown_with(searchDump, "text", "TUR").size(), 1u);
    EXPECT_EQ(shown_with(searchDump, "text", "Cancel").size(), 1u);

    const QJsonObject personDump = read_dump(person);
    EXPECT_TRUE(shown_with(personDump, "class", "UISearchBar").empty()) << "the list is covered";
    EXPECT_FALSE(shown_with(personDump, "text", "Alan Turing").empty());
    EXPECT_EQ(shown_with(personDump, "text", "Edit").size(), 1u) << "editing is allowed";
}

} // namespace
