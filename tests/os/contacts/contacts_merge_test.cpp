// Importing again and mirroring a sync folder: persons are recognised, not doubled.
#include "ContactsToolRun.h"
#include "ProgressiveJpeg.h"
#include "TempDevice.h"
#include "addressbook/AddressBook.h"
#include "foundation/FileAttributes.h"
#include "vcard/Base64.h"
#include "vcard/PersonMerge.h"
#include "vcard/PhotoSource.h"

#include <gtest/gtest.h>

namespace {

std::string card(const std::string& body)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\n" + body + "END:VCARD\r\n";
}

const std::string kAna =
    card("UID:ana-1\r\nN:Silva;Ana;;;\r\nBDAY:1980-03-05\r\nTEL;TYPE=CELL:1\r\n");
const std::string kRui = card("UID:rui-2\r\nN:Costa;Rui;;;\r\nBDAY:--07-21\r\n");
const std::string kBia = card("N:Lopes;Bia;;;\r\nBDAY:1991-12-01\r\n"); // no UID

std::vector<ab::Person> stored() { return *ab::AddressBook::create()->copyAllPersons(); }

// The file's modification date and bytes, which a run that changes nothing must leave alone.
struct StoreState {
    std::optional<os::Timestamp> modified =
        os::file_modification_date(ab::AddressBook::device_store_path());
    std::string bytes = read_text(ab::AddressBook::device_store_path());
    bool operator==(const StoreState&) const = default;
};

ab::Person named(std::string first, std::optional<std::string> uid = {})
{
    ab::Person p;
    p.first_name = std::move(first);
    p.uid = std::move(uid);
    return p;
}

} // namespace

TEST(ContactsImport, ImportingAgainUpdatesByUIDOrNameAndBirthdayAndWritesNothingWhenSame)
{
    TempDevice device;
    const auto file = device.root() / "contacts.vcf";
    write_text(file, kAna + kRui + kBia + kBia);
    auto outcome = contacts_tool(device, {"import", file.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "added 4, updated 0, unchanged 0\n");
    const auto first = stored();
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].uid, "ana-1");

    const StoreState before;
    outcome = contacts_tool(device, {"import", file.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "added 0, updated 0, unchanged 4\n");
    EXPECT_TRUE(StoreState() == before) << "nothing written, not even the modification date";

    // Ana renamed and renumbered keeps her identifier; Bia without a UID is found by name and
    // birthday; a new card is added; what the file does not hold stays.
    write_text(file, card("UID:ana-1\r\nN:Souza;Ana;;;\r\nBDAY:1980-03-05\r\nTEL;TYPE=CELL:2\r\n") +
                         card("N:Lopes;Bia;;;\r\nBDAY:1991-12-01\r\nEMAIL:bia@example.com\r\n"
                              "item1.X-ABDATE:2015-05-09\r\n"
                              "item1.X-ABLabel:_$!<Anniversary>!$_\r\n") +
                         card("UID:zoe-3\r\nN:;Zoé;;;\r\n"));
    outcome = contacts_tool(device, {"import", file.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "added 1, updated 2, unchanged 0\n");
    const auto now = stored();
    ASSERT_EQ(now.size(), 5u);
    EXPECT_EQ(now[0].id, first[0].id);
    EXPECT_EQ(now[0].last_name, "Souza");
    EXPECT_EQ(now[0].phones, (std::vector<ab::LabeledValue>{{"mobile", "2"}}));
    EXPECT_EQ(now[1], first[1]);
    EXPECT_EQ(now[2].id, first[2].id);
    EXPECT_EQ(now[2].emails, (std::vector<ab::LabeledValue>{{"", "bia@example.com"}}));
    EXPECT_EQ(now[2].dates,
              (std::vector<ab::LabeledDate>{{"anniversary", ab::CivilDate{2015, 5, 9}}}));
    EXPECT_EQ(now[3], first[3]);
    EXPECT_EQ(now[4].uid, "zoe-3");
}

TEST(ContactsImport, ACardTakesAPersonOnlyOnce)
{
    // Two stored persons of one name and birthday with UIDs of their own are two people: a
    // card with a third UID is a third. Without a UID, a card takes a person still free.
    const std::vector<ab::Person> stored_persons = {named("Ana", "u1"), named("Ana", "u2"),
                                                    named("Ana")};
    std::vector<ab::Person> with_ids = stored_persons;
    for (size_t i = 0; i < with_ids.size(); ++i)
        with_ids[i].id = ab::RecordID(i + 1);
    contacts::MergeCounts counts;
    const auto changes = contacts::plan_merge(
        with_ids, {named("Ana"), named("Ana", "u3"), named("Ana", "u2"), named("Ana")},
        contacts::MergeMode::kImport, counts);
    EXPECT_EQ(counts.unchanged, 2u) << "u2 by its UID, u1 by the key";
    EXPECT_EQ(counts.updated, 1u) << "the card with u3 gives the UID-less Ana its UID";
    EXPECT_EQ(counts.added, 1u);
    ASSERT_EQ(changes.saves.size(), 2u);
    EXPECT_EQ(changes.saves[0].id, 3);
    EXPECT_EQ(changes.saves[0].uid, "u3");
    EXPECT_EQ(changes.saves[1].id, ab::kInvalidRecordID);
    EXPECT_TRUE(changes.removals.empty());
}

TEST(ContactsSync, TheStoreMirrorsTheFolderAndKeepsPersonsAddedByHand)
{
    TempDevice device;
    ASSERT_EQ(contacts_tool(
                  device, {"add", "--first", "Bia", "--last", "Lopes", "--birthday", "1991-12-01"})
                  .status,
              0);
    const auto folder = device.root() / "contacts";
    std::filesystem::create_directories(folder);
    write_text(folder / "ana.vcf", kAna);
    write_text(folder / "rui.vcf", kRui);
    write_text(folder / "bia.vcf", kBia);
    write_text(folder / "notes.txt", "not a card");
    write_text(folder / ".rui.vcf.tmp", "half written");
    auto outcome = contacts_tool(device, {"sync", folder.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "added 3, updated 0, removed 0, unchanged 0\n")
        << "the Bia added by hand is not taken by the folder's Bia";
    auto persons = stored();
    ASSERT_EQ(persons.size(), 4u);
    EXPECT_FALSE(persons[0].synced);
    EXPECT_TRUE(persons[1].synced && persons[2].synced && persons[3].synced);

    const StoreState before;
    outcome = contacts_tool(device, {"sync", folder.string()});
    EXPECT_EQ(outcome.out, "added 0, updated 0, removed 0, unchanged 3\n");
    EXPECT_TRUE(StoreState() == before);

    // Rui's file changes, Ana's goes, Zoé's comes.
    std::filesystem::remove(folder / "ana.vcf");
    write_text(folder / "rui.vcf", card("UID:rui-2\r\nN:Costa;Rui;;;\r\nBDAY:1977-07-21\r\n"));
    write_text(folder / "zoe.vcf", card("UID:zoe-3\r\nN:;Zoé;;;\r\n"));
    outcome = contacts_tool(device, {"sync", folder.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "added 1, updated 1, removed 1, unchanged 1\n");
    const auto after = stored();
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(after[0], persons[0]) << "added by hand: kept as it was";
    EXPECT_EQ(after[1], persons[2]) << "files are read in name order: ana, bia, rui";
    EXPECT_EQ(after[2].id, persons[3].id);
    EXPECT_EQ(after[2].birthday, (ab::CivilDate{1977, 7, 21}));
    EXPECT_EQ(after[3].first_name, "Zoé");

    // An imported person with a UID of the folder becomes the folder's; an empty folder then
    // removes everything that came from it, and nothing else.
    const auto imported = device.root() / "import.vcf";
    write_text(imported, card("UID:kai-4\r\nN:;Kai;;;\r\n"));
    ASSERT_EQ(contacts_tool(device, {"import", imported.string()}).status, 0);
    std::filesystem::rename(imported, folder / "kai.vcf");
    EXPECT_EQ(contacts_tool(device, {"sync", folder.string()}).out,
              "added 0, updated 1, removed 0, unchanged 3\n");
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove(entry.path());
    EXPECT_EQ(contacts_tool(device, {"sync", folder.string()}).out,
              "added 0, updated 0, removed 4, unchanged 0\n");
    EXPECT_EQ(stored(), std::vector<ab::Person>{persons[0]});
}

TEST(ContactsSync, AMalformedFileIsNamedAndNothingChanges)
{
    TempDevice device;
    const auto folder = device.root() / "contacts";
    std::filesystem::create_directories(folder);
    write_text(folder / "ana.vcf", kAna);
    ASSERT_EQ(contacts_tool(device, {"sync", folder.string()}).status, 0);
    const StoreState before;

    std::filesystem::remove(folder / "ana.vcf");
    write_text(folder / "rui.vcf", kRui);
    write_text(folder / "zz.vcf", card("N:A;B;;;\r\nBDAY:1980-02-30\r\n"));
    auto outcome = contacts_tool(device, {"sync", folder.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, (folder / "zz.vcf").string() +
                               ":4: birthday '1980-02-30' is no valid date\n"
                               "contacts: nothing synced\n");
    EXPECT_TRUE(StoreState() == before);

    outcome = contacts_tool(device, {"sync", (folder / "missing").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("not a folder"), std::string::npos);
    EXPECT_EQ(contacts_tool(device, {"sync"}).status, 2);
    EXPECT_TRUE(StoreState() == before);
}

// A sync that changes nothing must not decode a sender's photo again: that took minutes for a
// photo of many scans. The stored photo knows the sender's bytes by their digest, so when the
// stored photo is swapped for another carrying that digest, the sync keeps it rather than making
// its own from the card.
TEST(ContactsSync, AnUnchangedPhotoIsRecognisedWithoutBeingDecoded)
{
    TempDevice device;
    const auto sent = manyScanJpeg(640, 480, 10);
    const auto folder = device.root() / "contacts";
    std::filesystem::create_directories(folder);
    write_text(folder / "ana.vcf",
               card("UID:ana-1\r\nN:Silva;Ana;;;\r\nPHOTO;ENCODING=b;TYPE=JPEG:" +
                    contacts::base64_encode(sent) + "\r\n"));
    auto outcome = contacts_tool(device, {"sync", folder.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto digest = contacts::photo_source_digest(sent);
    EXPECT_EQ(contacts::photo_source_of(stored().at(0).image_data), digest);

    auto marked = *contacts::base64_decode("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQV"
                                           "R42mNkYPhfDwAChwGA60e6kgAAAABJRU5ErkJggg==");
    contacts::add_photo_source(marked, digest);
    // A photo given with such a digest of its own does not keep it.
    write_text(device.root() / "marked.png", std::string(marked.begin(), marked.end()));
    auto ana = stored().at(0);
    ASSERT_EQ(contacts_tool(device, {"edit", std::to_string(ana.id), "--photo",
                                     (device.root() / "marked.png").string()})
                  .status,
              0);
    EXPECT_EQ(contacts::photo_source_of(stored().at(0).image_data), std::nullopt);
    ana.image_data = marked;
    ASSERT_TRUE(ab::AddressBook::create()->save(ana));

    outcome = contacts_tool(device, {"sync", folder.string()});
    EXPECT_EQ(outcome.out, "added 0, updated 0, removed 0, unchanged 1\n") << outcome.err;
    EXPECT_EQ(stored().at(0).image_data, marked);
}
