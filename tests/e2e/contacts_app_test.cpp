#include "JsonDump.h"
#include "SpringBoardProcess.h"
#include "TempDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

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

// The title and message of each alert shown, "Title: message".
std::vector<std::string> alerts(const QJsonObject& dump)
{
    std::vector<std::string> shown;
    for (const QJsonObject& alert : shown_with(dump, "class", "UIAlertView"))
        shown.push_back(alert["text"].toString().toStdString() + ": " +
                        alert["message"].toString().toStdString());
    return shown;
}

std::string card(const std::string& name, const std::string& birthday)
{
    return "BEGIN:VCARD\nVERSION:3.0\nN:" + name + ";;;\nBDAY:" + birthday + "\nEND:VCARD\n";
}

class ContactsAppEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(install_built_device(device)); }

    std::string program() const
    {
        return device.path("/Applications/Contacts.app/Contacts").string();
    }
    // Runs the application through the automation script; its exit status.
    int run(const std::string& script, const std::string& arguments = "")
    {
        const fs::path file = device.root() / "script.txt";
        std::ofstream(file) << script << "quit\n";
        return run_command("UIKIT_AUTOMATION='" + file.string() + "' '" + program() + "' " +
                           arguments + " 2>/dev/null </dev/null");
    }
    std::string dumpTo(const std::string& name) const
    {
        return "dump " + (device.root() / name).string() + "\n";
    }
    QJsonObject dumped(const std::string& name) const { return read_dump(device.root() / name); }

    TempDevice device;
};

// What the user does to make a person born today: "+", a first name, the birthday's row (today
// unless changed), then Done.
const std::string kAddZoeBornToday = "tap +\ntap First\ntype Zoe\ntap add birthday\ntap Done\n"
                                     "wait 100\ntap Contacts\nwait 100\n";

TEST_F(ContactsAppEndToEnd, ListsThePersonsInSectionsTypingFiltersAndATapOpensThePerson)
{
    for (const char* add :
         {"--first Ada --last Lovelace --birthday 1815-12-10", "--first Alan --last Turing",
          "--first Grace --last Hopper", "--first Émile --last Zola", "--first Cher", "--first ''"})
        ASSERT_EQ(run_command(kContacts + " add " + add + " >/dev/null"), 0) << add;

    ASSERT_EQ(run("wait 100\n" + dumpTo("list.json") + "tap Search\ntype TUR\nwait 50\n" +
                  dumpTo("search.json") + "tap Alan Turing\nwait 100\n" + dumpTo("person.json")),
              0);

    const QJsonObject listDump = dumped("list.json");
    EXPECT_EQ(sections(listDump),
              (std::vector<std::string>{"C:1", "H:1", "L:1", "T:1", "Z:1", "#:1"}));
    EXPECT_EQ(indexTitles(listDump), "CHLTZ#");
    EXPECT_FALSE(shown_with(listDump, "text", "Contacts").empty()) << "the title";
    EXPECT_FALSE(shown_with(listDump, "text", "No Name").empty());
    EXPECT_EQ(shown_with(listDump, "placeholder", "Search").size(), 1u);

    const QJsonObject searchDump = dumped("search.json");
    EXPECT_EQ(sections(searchDump), (std::vector<std::string>{"T:1"}));
    EXPECT_EQ(shown_with(searchDump, "text", "TUR").size(), 1u);
    EXPECT_EQ(shown_with(searchDump, "text", "Cancel").size(), 1u);

    const QJsonObject personDump = dumped("person.json");
    EXPECT_TRUE(shown_with(personDump, "class", "UISearchBar").empty()) << "the list is covered";
    EXPECT_FALSE(shown_with(personDump, "text", "Alan Turing").empty());
    EXPECT_EQ(shown_with(personDump, "text", "Edit").size(), 1u) << "editing is allowed";
}

TEST_F(ContactsAppEndToEnd, AddsEditsAndDeletesAPersonThroughThePersonScreen)
{
    ASSERT_EQ(run_command(kContacts + " add --first Ada --last Lovelace >/dev/null"), 0);
    ASSERT_EQ(run(kAddZoeBornToday + dumpTo("added.json") +
                  // A new last name moves her to another section.
                  "tap Zoe\nwait 100\ntap Edit\ntap Last\ntype Ng\ntap Done\nwait 100\n"
                  "tap Contacts\nwait 100\n" +
                  dumpTo("edited.json") +
                  // The cell, then the sheet's button that confirms.
                  "tap Zoe Ng\nwait 100\ntap Edit\ntap Delete Contact\nwait 100\n"
                  "tap Delete Contact\nwait 100\n" +
                  dumpTo("deleted.json")),
              0);

    const QJsonObject added = dumped("added.json");
    EXPECT_EQ(sections(added), (std::vector<std::string>{"L:1", "Z:1"}));
    EXPECT_FALSE(shown_with(added, "text", "Zoe").empty());
    const QJsonObject edited = dumped("edited.json");
    EXPECT_EQ(sections(edited), (std::vector<std::string>{"L:1", "N:1"}));
    EXPECT_FALSE(shown_with(edited, "text", "Zoe Ng").empty());
    const QJsonObject deleted = dumped("deleted.json");
    EXPECT_EQ(sections(deleted), (std::vector<std::string>{"L:1"}));
    EXPECT_TRUE(shown_with(deleted, "text", "Zoe Ng").empty());
    EXPECT_TRUE(shown_with(deleted, "class", "UIActionSheet").empty());
}

// A person born on 3 May 1990 with a number, added with the keyboard alone in 32 presses: New
// Contact, then the name typed straight away, the birthday's month, day and year typed, the
// number in the field its row opens, and Done.
TEST_F(ContactsAppEndToEnd, APersonIsAddedWithTheKeyboardAlone)
{
    std::string script;
    for (const char* key : {"Tab", "Tab", "Return"})
        script += std::string("key ") + key + "\n";
    script += "wait 100\ntype Ana\n";
    for (const char* key :
         {"Tab", "Tab", "Tab", "Return", "5", "3", "Right", "1", "9", "9", "0", "Tab", "Return"})
        script += std::string("key ") + key + "\n";
    script += "type 5551234\n";
    for (const char* key : {"Tab", "Tab", "Tab", "Tab", "Tab", "Return"})
        script += std::string("key ") + key + "\n";
    ASSERT_EQ(run(script + "wait 100\n" + dumpTo("saved.json")), 0);

    const QJsonObject saved = dumped("saved.json");
    EXPECT_EQ(shown_with(saved, "text", "Edit").size(), 1u) << "saved and shown";
    for (const char* text : {"Ana", "May 3, 1990", "5551234"})
        EXPECT_EQ(shown_with(saved, "text", text).size(), 1u) << text;
}

// The home screen runs while the person is added: the agent's badge counts her at a later tick.
// Both programs run on the same faked clock, so they agree on the day.
TEST_F(ContactsAppEndToEnd, APersonBornTodayAddedHereIsCountedByTheHomeScreensBadge)
{
    const std::string start = "2024-05-10 09:00:00", badge = "badge com.Qarvex.Tortamos ";
    SpringBoardProcess home(device, start);
    ASSERT_NE(wait_for_journal(device, badge).find(badge), std::string::npos)
        << "the first tick, over an empty book";

    const fs::path script = device.root() / "add.txt";
    std::ofstream(script) << kAddZoeBornToday << "quit\n";
    std::vector<std::string> env = faked_clock_environment(device, start);
    env.push_back("UIKIT_AUTOMATION=" + script.string());
    ChildProcess contacts(program(), {program()}, env);
    ASSERT_EQ(contacts.wait_for_exit(kJournalPatience), 0);

    const std::string journal = wait_for_journal(device, badge + "\"1\"");
    const auto badges = lines_of(lines_since_launch(journal), badge);
    ASSERT_GE(badges.size(), 2u) << journal;
    EXPECT_EQ(badges.front().event, badge + "\"\"") << journal;
    EXPECT_EQ(badges.back().event, badge + "\"1\"") << journal;
    EXPECT_EQ(lines_of(lines_since_launch(journal), badge + "\"1\"").size(), 1u) << journal;
    EXPECT_TRUE(home.running());
}

// One card in error among good ones: chosen through the file chooser, the alert names its person
// and its line and waits; "Import Others" brings the good ones. A file given at the start is
// imported too.
TEST_F(ContactsAppEndToEnd, ImportsAFileChosenOrGivenAtTheStartAndOffersToLeaveOutBadCards)
{
    const fs::path given = device.root() / "given.vcf", chosen = device.root() / "chosen.vcf";
    std::ofstream(given) << card("Lima;Ana", "1990-05-10") << card("Reis;Rui", "--0704");
    // The bad birthday is on line 9.
    std::ofstream(chosen) << card("Lima;Ana", "1990-05-10") << card("Dias;Bia", "1980-02-30")
                          << card("Costa;Caio", "2001-01-01");

    ASSERT_EQ(run("wait 100\n" + dumpTo("given.json"), "'" + given.string() + "'"), 0);
    EXPECT_EQ(alerts(dumped("given.json")),
              (std::vector<std::string>{"Import: added 2, updated 0, unchanged 0"}));

    ASSERT_EQ(run("tap Import…\nchoose " + chosen.string() + "\nwait 100\n" +
                  dumpTo("question.json") + "tap Import Others\nwait 100\n" +
                  dumpTo("imported.json")),
              0);
    const QJsonObject question = dumped("question.json");
    ASSERT_EQ(alerts(question).size(), 1u);
    EXPECT_NE(alerts(question)[0].find("\nBia Dias, line 9: "), std::string::npos)
        << alerts(question)[0];
    EXPECT_EQ(shown_with(question, "text", "Import Others").size(), 1u);
    const QJsonObject imported = dumped("imported.json");
    EXPECT_EQ(alerts(imported),
              (std::vector<std::string>{"Import: added 1, updated 0, unchanged 1"}));
    EXPECT_EQ(sections(imported), (std::vector<std::string>{"C:1", "L:1", "R:1"}));
}

} // namespace
