// The contacts program, run as a user runs it, on a temporary device.
#include "ContactsToolRun.h"
#include "PngHeader.h"
#include "ProgressiveJpeg.h"
#include "TempDevice.h"
#include "VCardFixtures.h"
#include "addressbook/AddressBook.h"
#include "foundation/FileAttributes.h"
#include "vcard/Base64.h"
#include "vcard/VCardReader.h"

#include <gtest/gtest.h>

namespace {

std::vector<ab::Person> fixture_persons(const std::vector<std::string>& names)
{
    std::vector<ab::Person> persons;
    for (const auto& name : names)
        for (const auto& entry : contacts::read_vcards(read_vcard_fixture(name)).entries)
            persons.push_back(entry.person);
    return persons;
}

const std::vector<std::string> kFixtures = {"apple-3.0.vcf", "nextcloud-4.0.vcf",
                                            "android-2.1.vcf"};

std::vector<std::string> fixture_paths()
{
    std::vector<std::string> paths = {"import"};
    for (const auto& name : kFixtures)
        paths.push_back(vcard_fixture(name).string());
    return paths;
}

} // namespace

TEST(ContactsTool, AddListRemove)
{
    TempDevice device;
    auto added = contacts_tool(device, {"add", "--first", "Ana", "--last", "Silva", "--birthday",
                                        "1980-03-05", "--phone", "mobile:+55 11 91234-5678",
                                        "--phone", "home:555-0100", "--email",
                                        "work:ana@example.com", "--anniversary", "2010-06-03"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "1\n");
    added = contacts_tool(device, {"add", "--last=Costa", "--birthday", "--02-29"});
    ASSERT_EQ(added.status, 0) << added.err;
    added = contacts_tool(device, {"add", "--first", "Sem\tData"});
    ASSERT_EQ(added.status, 0) << added.err;

    auto list = contacts_tool(device, {"list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "1\tAna Silva\t1980-03-05\tmobile:+55 11 91234-5678, home:555-0100\t"
                        "anniversary:2010-06-03\n"
                        "2\tCosta\t--02-29\t\n"
                        "3\tSem\\tData\t-\t\n");
    EXPECT_EQ(ab::AddressBook::create()->personWithRecordID(1)->emails,
              (std::vector<ab::LabeledValue>{{"work", "ana@example.com"}}));

    const auto removed = contacts_tool(device, {"remove", "1"});
    EXPECT_EQ(removed.status, 0) << removed.err;
    const auto again = contacts_tool(device, {"remove", "1"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "contacts: no person with ID 1\n");
    added = contacts_tool(device, {"add", "--first", "Nova"});
    EXPECT_EQ(added.out, "4\n") << "identifiers are never reused";
    list = contacts_tool(device, {"list"});
    EXPECT_EQ(list.out, "2\tCosta\t--02-29\t\n3\tSem\\tData\t-\t\n4\tNova\t-\t\n");
}

TEST(ContactsTool, EditReplacesOnlyWhatIsGiven)
{
    TempDevice device;
    ASSERT_EQ(contacts_tool(device,
                            {"add", "--first", "Ana", "--last", "Silva", "--birthday", "1980-03-05",
                             "--phone", "mobile:555-0101", "--email", "home:ana@example.com"})
                  .status,
              0);
    const auto edited = contacts_tool(device, {"edit", "1", "--birthday", "--04-05", "--phone",
                                               "work:555-0202", "--phone", "fax:555-0303"});
    ASSERT_EQ(edited.status, 0) << edited.err;
    const auto person = ab::AddressBook::create()->personWithRecordID(1);
    ASSERT_TRUE(person);
    EXPECT_EQ(person->first_name, "Ana");
    EXPECT_EQ(person->birthday, (ab::CivilDate{ab::kUnknownYear, 4, 5}));
    EXPECT_EQ(person->phones,
              (std::vector<ab::LabeledValue>{{"work", "555-0202"}, {"fax", "555-0303"}}));
    EXPECT_EQ(person->emails, (std::vector<ab::LabeledValue>{{"home", "ana@example.com"}}));

    EXPECT_EQ(contacts_tool(device, {"edit", "1"}).status, 2);
    EXPECT_EQ(contacts_tool(device, {"edit", "1", "--last", "A", "--last", "B"}).status, 2);
    EXPECT_EQ(contacts_tool(device, {"edit", "9", "--first", "Bia"}).status, 1);
    EXPECT_EQ(ab::AddressBook::create()->personWithRecordID(1), person)
        << "failed edits change nothing";
}

TEST(ContactsTool, BadUsageIsExplainedAndChangesNothing)
{
    TempDevice device;
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"add"},
        {"add", "--first"},
        {"add", "--first", "A", "--nick", "B"},
        {"add", "--first", "A", "--first", "B"},
        {"add", "--first", "A", "--birthday", "1981-02-29"},
        {"add", "--first", "A", "--birthday", "5 March 1980"},
        {"add", "--first", "A", "--phone", "555-0100"},
        {"add", "--first", "A", "--email", "work:"},
        {"add", "--first", "Jo\xe3o"},
        {"add", "--first", "A", "--phone", "mobile:555\xff"},
        {"remove"},
        {"remove", "abc"},
        {"remove", "-3"},
        {"remove", "99999999999999999999"},
        {"edit"},
        {"edit", "x", "--first", "A"},
        {"list", "extra"},
        {"export", "a.vcf", "b.vcf"},
        {"import"},
        {"calendar"},
        {"calendar", "a", "b"},
        {"calendar", "a", "--ics", "b.ics"},
        {"calendar", "a", "--remind"},
        {"calendar", "a", "--remind", "1,x"},
        {"calendar", "a", "--remind", "366"},
        {"calendar", "a", "--at", "24:00"},
        {"calendar", "a", "--at", "9:00"}};
    for (const auto& args : bad) {
        const auto outcome = contacts_tool(device, args);
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        EXPECT_EQ(outcome.status, 2) << shown;
        EXPECT_TRUE(outcome.err.starts_with("contacts: ")) << shown << outcome.err;
        EXPECT_NE(outcome.err.find("--help"), std::string::npos) << shown;
    }
    EXPECT_FALSE(std::filesystem::exists(ab::AddressBook::device_store_path()));

    const auto help = contacts_tool(device, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("import FILE.vcf"), std::string::npos);

    const auto missing = contacts_tool(device, {"remove", "7"});
    EXPECT_EQ(missing.status, 1);
}

TEST(ContactsTool, ImportsRealAddressBookExports)
{
    TempDevice device;
    const auto outcome = contacts_tool(device, fixture_paths());
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "added 13, updated 0, unchanged 0\n");
    const std::string nextcloud = vcard_fixture("nextcloud-4.0.vcf").string();
    EXPECT_EQ(outcome.err, nextcloud + ":39: warning: birthday given as text, left out\n" +
                               nextcloud +
                               ":46: warning: photo left out: not inline in the file\n");
    EXPECT_EQ(stored_persons(), fixture_persons(kFixtures));

    const auto list = contacts_tool(device, {"list"});
    EXPECT_TRUE(list.out.starts_with("1\tAna Silva\t1980-03-05\tmobile:+55 11 91234-5678, "
                                     "home:+55 11 3456-7890, Grandma's house:+55 11 5555-0101, "
                                     "other:+55 11 5555-0102\n2\tRui Costa\t--07-21\t"))
        << list.out;
}

TEST(ContactsTool, AFileWithAnErrorIsRejectedWholeAndNothingIsWritten)
{
    TempDevice device;
    ASSERT_EQ(contacts_tool(device, {"add", "--first", "Before"}).status, 0);
    const auto store = ab::AddressBook::device_store_path();
    const auto modified = os::file_modification_date(store);

    auto args = fixture_paths();
    args.push_back(vcard_fixture("malformed.vcf").string());
    args.push_back((device.root() / "missing.vcf").string());
    const auto outcome = contacts_tool(device, args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(vcard_fixture("malformed.vcf").string() +
                               ":9: birthday '1970-13-45' is no valid date\n"),
              std::string::npos)
        << outcome.err;
    EXPECT_NE(outcome.err.find("missing.vcf: cannot read: No such file or directory\n"),
              std::string::npos)
        << outcome.err;
    EXPECT_TRUE(outcome.err.ends_with("contacts: nothing imported\n"));
    EXPECT_EQ(ab::AddressBook::create()->personCount(), 1u);
    EXPECT_EQ(os::file_modification_date(store), modified);
}

// One bad card among good ones: refused whole by default; --skip-invalid leaves out the cards
// with an error (a bad date, a line that cannot be read inside the card) and their warnings.
TEST(ContactsTool, SkipInvalidImportsTheGoodCardsAndNamesTheOthers)
{
    TempDevice device;
    const auto file = device.root() / "export.vcf";
    write_text(file, "BEGIN:VCARD\nVERSION:3.0\nN:Um;Ana;;;\nBDAY:1980-03-05\nEND:VCARD\n"
                     "BEGIN:VCARD\nVERSION:3.0\nN:Dois;Bia;;;\nPHOTO;VALUE=URI:x\n"
                     "BDAY:1980-02-30\nEND:VCARD\n"
                     "BEGIN:VCARD\nVERSION:3.0\nN:Tres;Caio;;;\nno colon\nEND:VCARD\n"
                     "BEGIN:VCARD\nVERSION:3.0\nN:Quatro;Rui;;;\nEND:VCARD\n");
    const std::string name = file.string();

    const auto refused = contacts_tool(device, {"import", name});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              name + ":10: birthday '1980-02-30' is no valid date\ncontacts: nothing imported\n");
    EXPECT_EQ(ab::AddressBook::create()->personCount(), 0u);

    const auto skipped = contacts_tool(device, {"import", "--skip-invalid", name});
    EXPECT_EQ(skipped.status, 0) << skipped.err;
    EXPECT_EQ(skipped.out, "added 2, updated 0, unchanged 0\n");
    EXPECT_EQ(skipped.err, name + ":10: card skipped: birthday '1980-02-30' is no valid date\n" +
                               name + ":15: card skipped: property line without ':'\n");
    std::vector<std::string> names;
    for (const auto& person : stored_persons())
        names.push_back(*person.first_name);
    EXPECT_EQ(names, (std::vector<std::string>{"Ana", "Rui"}));

    // A file of nothing but bad cards imports nothing, option or not.
    write_text(file, "BEGIN:VCARD\nVERSION:3.0\nN:Dois;Bia;;;\nBDAY:1980-02-30\nEND:VCARD\n");
    const auto none = contacts_tool(device, {"import", "--skip-invalid", name});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.err.ends_with("contacts: nothing imported\n")) << none.err;
}

TEST(ContactsTool, PhotosMustBeImagesOfAtMost5MB)
{
    TempDevice device;
    const std::vector<uint8_t> not_an_image = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'g'};
    const std::vector<uint8_t> huge(6 * 1024 * 1024, 0xFF);
    const auto file = device.root() / "photos.vcf";
    write_text(file, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Um;Ana;;;\r\nPHOTO;ENCODING=b:" +
                         contacts::base64_encode(not_an_image) +
                         "\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Dois;Rui;;;\r\n"
                         "PHOTO;ENCODING=b;TYPE=JPEG:" +
                         contacts::base64_encode(huge) + "\r\nEND:VCARD\r\n");
    auto outcome = contacts_tool(device, {"import", file.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, file.string() +
                               ":4: warning: photo left out: not an image that decodes\n" +
                               file.string() + ":9: warning: photo left out: photo over 5 MB\n");
    auto persons = stored_persons();
    ASSERT_EQ(persons.size(), 2u) << "the persons are kept without their photos";
    EXPECT_TRUE(persons[0].image_data.empty());
    EXPECT_TRUE(persons[1].image_data.empty());

    // add refuses what import leaves out.
    write_text(file, "hello");
    outcome = contacts_tool(device, {"add", "--first", "Rui", "--photo", file.string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, file.string() + ": not an image that decodes\n");
    outcome = contacts_tool(device, {"add", "--first", "Rui", "--photo", device.root().string()});
    EXPECT_EQ(outcome.status, 1);
    const auto png = fixture_persons({"nextcloud-4.0.vcf"}).at(0).image_data;
    write_text(file, std::string(png.begin(), png.end()));
    outcome = contacts_tool(device, {"add", "--first", "Ana", "--photo", file.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ab::AddressBook::create()->copyImageData(3), png);
}

// A photo's header tells its pixels before anything decodes: one that would take 100 MB is refused
// for that reason, although nothing follows its header that could have decoded.
TEST(ContactsTool, PhotosWithTooManyPixelsAreRefusedForThatBeforeTheyDecode)
{
    TempDevice device;
    const auto file = device.root() / "bombs.vcf";
    write_text(file, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Um;Ana;;;\r\nPHOTO;ENCODING=b;TYPE=PNG:" +
                         contacts::base64_encode(pngHeaderOnly(5000, 5000)) +
                         "\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Dois;Rui;;;\r\n"
                         "PHOTO;ENCODING=b;TYPE=PNG:" +
                         contacts::base64_encode(pngHeaderOnly(4097, 4096)) + "\r\nEND:VCARD\r\n");
    auto outcome = contacts_tool(device, {"import", file.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, file.string() +
                               ":4: warning: photo left out: photo too large: 5000 x 5000 pixels, "
                               "over 16.8 million\n" +
                               file.string() +
                               ":9: warning: photo left out: photo too large: 4097 x 4096 "
                               "pixels, over 16.8 million\n");
    const auto persons = stored_persons();
    ASSERT_EQ(persons.size(), 2u);
    EXPECT_TRUE(persons[0].image_data.empty());

    const auto bomb = pngHeaderOnly(5792, 5792);
    write_text(device.root() / "bomb.png", std::string(bomb.begin(), bomb.end()));
    outcome = contacts_tool(
        device, {"add", "--first", "Cid", "--photo", (device.root() / "bomb.png").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, (device.root() / "bomb.png").string() +
                               ": photo too large: 5792 x 5792 pixels, over 16.8 million\n");
    EXPECT_EQ(stored_persons().size(), 2u);
}

// A progressive JPEG is decoded once per scan over its whole picture: 1,000 scans of 4096 x 4096
// pixels in 66 KB took seconds at every import, sync and showing. A photo is refused for its scans
// before anything decodes, and one that is kept is kept at the size it is shown, so it is never
// decoded whole again; importing it again finds it unchanged.
TEST(ContactsTool, PhotosAreRefusedForTheirScansAndKeptAtTheSizeShown)
{
    TempDevice device;
    const std::string refused = "photo left out: photo of over 256 scans";
    const struct {
        std::vector<unsigned char> photo;
        std::string warning;
        int kept_width, kept_height; // 0: the bytes as they came
    } cases[] = {
        {manyScanJpeg(4096, 4096, 1000), refused, 0, 0},
        {manyScanJpeg(64, 64, 256), "", 0, 0},
        {manyScanJpeg(640, 480, 10), "", 64, 48},
    };
    std::string cards;
    for (const auto& c : cases)
        cards += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;P" + std::to_string(&c - cases) +
                 ";;;\r\nPHOTO;ENCODING=b;TYPE=JPEG:" + contacts::base64_encode(c.photo) +
                 "\r\nEND:VCARD\r\n";
    const auto file = device.root() / "photos.vcf";
    write_text(file, cards);
    const auto first = contacts_tool(device, {"import", file.string()});
    ASSERT_EQ(first.status, 0) << first.err;
    const auto again = contacts_tool(device, {"import", file.string()});
    EXPECT_EQ(again.out, "added 0, updated 0, unchanged 3\n") << again.err;

    const auto persons = stored_persons();
    ASSERT_EQ(persons.size(), 3u);
    for (size_t i = 0; i < persons.size(); ++i) {
        const auto& c = cases[i];
        const auto& kept = persons[i].image_data;
        const std::string line = ":" + std::to_string(5 * i + 4) + ": warning: ";
        EXPECT_EQ(first.err.find(line + c.warning) != std::string::npos, !c.warning.empty())
            << i << first.err;
        if (!c.warning.empty()) {
            EXPECT_TRUE(kept.empty()) << i;
        } else if (c.kept_width == 0) {
            EXPECT_EQ(kept, c.photo) << i;
        } else {
            ASSERT_GT(kept.size(), 24u);
            const auto at = [&](size_t offset) {
                return int(kept[offset]) << 24 | int(kept[offset + 1]) << 16 |
                       int(kept[offset + 2]) << 8 | int(kept[offset + 3]);
            };
            EXPECT_EQ(std::string(kept.begin() + 1, kept.begin() + 4), "PNG");
            EXPECT_EQ(at(16), c.kept_width);
            EXPECT_EQ(at(20), c.kept_height);
        }
    }

    // A photo file given whole is read no further than a photo may go.
    const auto large = device.root() / "large.jpg";
    write_text(large, std::string(50 * 1024 * 1024, '\xFF'));
    const auto added = contacts_tool(device, {"add", "--first", "Lia", "--photo", large.string()});
    EXPECT_EQ(added.status, 1);
    EXPECT_EQ(added.err, large.string() + ": photo over 5 MB\n");
}

TEST(ContactsTool, ExportThenImportGivesBackTheSamePersons)
{
    TempDevice device;
    ASSERT_EQ(contacts_tool(device, fixture_paths()).status, 0);
    ASSERT_EQ(contacts_tool(device, {"add", "--first", "Zoé", "--birthday", "--12-31", "--phone",
                                     "Casa da praia:+351 289 000 000"})
                  .status,
              0);
    const auto before = stored_persons();

    const auto exported = device.root() / "all.vcf";
    ASSERT_EQ(contacts_tool(device, {"export", exported.string()}).status, 0);
    const auto to_stdout = contacts_tool(device, {"export"});
    EXPECT_EQ(to_stdout.out, read_text(exported));
    EXPECT_TRUE(to_stdout.out.starts_with("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
    const auto unwritable = device.root() / "no/such/folder/a.vcf";
    const auto failed = contacts_tool(device, {"export", unwritable.string()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("cannot write " + unwritable.string()), std::string::npos);

    std::filesystem::remove(ab::AddressBook::device_store_path());
    const auto imported = contacts_tool(device, {"import", exported.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.err, "");
    EXPECT_EQ(stored_persons(), before);
}

TEST(ContactsTool, AStoreThatCannotBeReadIsNamedNotShownEmpty)
{
    TempDevice device;
    const auto store = ab::AddressBook::device_store_path();
    std::filesystem::create_directories(store.parent_path());
    write_text(store, "BEGIN:VCARD\nnot a database at all\n" + std::string(4096, 'x'));
    const std::string prefix = "contacts: cannot read the address book " + store.string() + ": ";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"list"}, {"export"}}) {
        const auto outcome = contacts_tool(device, args);
        EXPECT_EQ(outcome.status, 1) << args[0];
        EXPECT_EQ(outcome.out, "") << args[0];
        EXPECT_EQ(outcome.err, prefix + "it is not a database\n") << args[0];
    }
    const auto exported = device.root() / "backup.vcf";
    EXPECT_EQ(contacts_tool(device, {"export", exported.string()}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(exported)) << "no empty backup";
    const auto added = contacts_tool(device, {"add", "--first", "Ana"});
    EXPECT_EQ(added.status, 1);
    EXPECT_EQ(added.err, "contacts: cannot write the address book " + store.string() +
                             ": it is not a database\n");

    std::filesystem::remove(store);
    run_command("sqlite3 " + quoted(store) + " 'CREATE TABLE Notes (text TEXT)'");
    auto outcome = contacts_tool(device, {"list"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.starts_with(prefix + "it is a database, but not an address book"))
        << outcome.err;

    // Without its phone table the book is not shown as persons without phones.
    std::filesystem::remove(store);
    ASSERT_EQ(contacts_tool(device, {"add", "--first", "Ana", "--phone", "home:1"}).status, 0);
    ASSERT_EQ(run_command("sqlite3 " + quoted(store) + " 'DROP TABLE MultiValue'"), 0);
    outcome = contacts_tool(device, {"list"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find("no such table: MultiValue"), std::string::npos) << outcome.err;
}

TEST(ContactsTool, IdentifiersBeyond32BitsShowOnceAndAddsGoOn)
{
    TempDevice device;
    ASSERT_EQ(contacts_tool(device, {"add", "--first", "Ana"}).status, 0);
    const auto store = ab::AddressBook::device_store_path();
    ASSERT_EQ(run_command("sqlite3 " + quoted(store) +
                          " \"INSERT INTO Person (id, first_name) VALUES (4294967297, 'Big')\""),
              0);
    auto added = contacts_tool(device, {"add", "--first", "Next"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "4294967298\n");
    EXPECT_EQ(contacts_tool(device, {"list"}).out,
              "1\tAna\t-\t\n4294967297\tBig\t-\t\n4294967298\tNext\t-\t\n");
    EXPECT_EQ(contacts_tool(device, {"edit", "4294967297", "--last", "One"}).status, 0);
    EXPECT_EQ(contacts_tool(device, {"remove", "4294967298"}).status, 0);
    EXPECT_EQ(contacts_tool(device, {"list"}).out, "1\tAna\t-\t\n4294967297\tBig One\t-\t\n");
}

TEST(ContactsTool, WhatExportWritesImportTakesBackWhateverTheLabels)
{
    TempDevice device;
    ASSERT_EQ(contacts_tool(
                  device, {"add", "--first", "Ana", "--phone", "x-quoted-printable:123=", "--phone",
                           "quoted-printable=:4=", "--email", "ENCODING=QUOTED-PRINTABLE:a=@b.c"})
                  .status,
              0);
    const auto before = stored_persons();
    const auto exported = device.root() / "all.vcf";
    ASSERT_EQ(contacts_tool(device, {"export", exported.string()}).status, 0);
    std::filesystem::remove(ab::AddressBook::device_store_path());
    const auto imported = contacts_tool(device, {"import", exported.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(stored_persons(), before);
}

// A store written before texts were checked (or by another program) may hold bytes that are not
// UTF-8: the backup must still come back, and a write must not store such bytes again.
TEST(ContactsTool, TextThatIsNotUtf8IsNeverStoredAndAnOldOneExportsAsABackupThatComesBack)
{
    TempDevice device;
    ASSERT_EQ(contacts_tool(device, {"add", "--first", "Ana", "--phone", "home:1"}).status, 0);
    const auto store = ab::AddressBook::device_store_path();
    ASSERT_EQ(run_command("sqlite3 " + quoted(store) +
                          " \"UPDATE Person SET first_name = CAST(X'4A6FE36F' AS TEXT);"
                          " UPDATE MultiValue SET label = CAST(X'68FF' AS TEXT)\""),
              0);
    EXPECT_EQ(contacts_tool(device, {"list"}).out, "1\tJo\\xE3o\t-\th\\xFF:1\n");

    EXPECT_EQ(contacts_tool(device, {"edit", "1", "--last", "\xc0\xaf"}).status, 2);
    const auto edited = contacts_tool(device, {"edit", "1", "--birthday", "--01-02"});
    EXPECT_EQ(edited.status, 1);
    EXPECT_TRUE(edited.err.ends_with(": first name is not valid UTF-8\n")) << edited.err;

    const auto exported = device.root() / "backup.vcf";
    const auto outcome = contacts_tool(device, {"export", exported.string()});
    ASSERT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "contacts: warning: person 1: first name is not valid UTF-8, written "
                           "with U+FFFD in place of the bad bytes\n");
    std::filesystem::remove(store);
    const auto imported = contacts_tool(device, {"import", exported.string()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const auto persons = stored_persons();
    ASSERT_EQ(persons.size(), 1u);
    EXPECT_EQ(persons[0].first_name, "Jo\uFFFDo");
    EXPECT_EQ(persons[0].phones, (std::vector<ab::LabeledValue>{{"h\uFFFD", "1"}}));
}

// What came from outside (a card, a file name) reaches the terminal with its controls escaped.
TEST(ContactsTool, ControlCharactersFromCardsAndFileNamesArePrintedEscaped)
{
    TempDevice device;
    const std::string name = "A\x1b]0;owned\x07\x7f\u009b\u202e\u2066B";
    ASSERT_EQ(contacts_tool(device, {"add", "--first", name, "--phone", "x\x1b[2J:1"}).status, 0);
    EXPECT_EQ(contacts_tool(device, {"list"}).out,
              "1\tA\\x1B]0;owned\\x07\\x7F\\u009B\\u202E\\u2066B\t-\tx\\x1B[2J:1\n");

    const auto folder = device.root() / "vdir";
    std::filesystem::create_directories(folder);
    write_text(folder / "card\x1b[2J.vcf",
               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Um;Ana;;;\r\nBDAY:\x1b]2;t\x07\r\nEND:VCARD\r\n");
    for (const auto& args : {std::vector<std::string>{"sync", folder.string()},
                             {"import", (folder / "card\x1b[2J.vcf").string()}}) {
        const auto outcome = contacts_tool(device, args);
        EXPECT_EQ(outcome.status, 1) << args[0];
        EXPECT_NE(outcome.err.find("card\\x1B[2J.vcf:4: birthday '\\x1B]2;t\\x07' is not a date"),
                  std::string::npos)
            << outcome.err;
        EXPECT_EQ(outcome.err.find_first_of("\x1b\x07"), std::string::npos) << args[0];
    }
}

// A full disk is named as one, not as a damaged book; needs a file system of its own to fill.
TEST(ContactsTool, AFullDiskIsReportedAsFull)
{
    TempDevice device;
    const auto folder = ab::AddressBook::device_store_path().parent_path();
    std::filesystem::create_directories(folder);
    if (run_command("mount -t tmpfs -o size=64k tmpfs " + quoted(folder) + " 2>/dev/null") != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    run_command("dd if=/dev/zero of=" + quoted(folder / "filler") + " bs=4k 2>/dev/null");
    const auto outcome = contacts_tool(device, {"add", "--first", "Ana"});
    run_command("umount " + quoted(folder));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.ends_with(": the disk is full\n")) << outcome.err;
}
