#include "TempDevice.h"
#include "addressbook/AddressBook.h"
#include "addressbook/DeviceAddressBook.h"
#include "addressbook/InMemoryAddressBook.h"
#include "addressbook/PersonName.h"
#include "addressbook/PersonText.h"
#include "foundation/FileAttributes.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <latch>
#include <thread>

using namespace std::chrono_literals;

namespace {

ab::Person person(std::string first, std::string last, std::optional<ab::CivilDate> birthday = {})
{
    ab::Person p;
    p.first_name = std::move(first);
    p.last_name = std::move(last);
    p.birthday = birthday;
    return p;
}

std::vector<ab::RecordID> ids_of(const ab::AddressBook& book)
{
    std::vector<ab::RecordID> ids;
    for (const auto& summary : book.copyArrayOfAllPeople())
        ids.push_back(summary.id);
    return ids;
}

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write_file(const std::filesystem::path& file, const std::string& text)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// Another process's connection on the same file.
struct RawConnection {
    explicit RawConnection(const std::filesystem::path& file) { sqlite3_open(file.c_str(), &db); }
    ~RawConnection() { sqlite3_close(db); }
    bool exec(const char* sql) { return sqlite3_exec(db, sql, 0, 0, 0) == SQLITE_OK; }
    sqlite3* db = nullptr;
};

// What a visit saw, copied out while the views were valid.
struct Recorder final : ab::PersonVisitor {
    size_t expected = 0;
    std::vector<ab::PersonSummary> seen;
    void expect(size_t count) override { expected = count; }
    void visit(const ab::PersonSummaryView& p) override
    {
        seen.push_back({p.id, std::optional<std::string>(p.first_name),
                        std::optional<std::string>(p.last_name), p.birthday, p.has_image});
    }
};

void expectSamePersons(const std::vector<ab::PersonSummary>& a,
                       const std::vector<ab::PersonSummary>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].id, b[i].id) << i;
        EXPECT_EQ(a[i].first_name, b[i].first_name) << i;
        EXPECT_EQ(a[i].last_name, b[i].last_name) << i;
        EXPECT_EQ(a[i].birthday, b[i].birthday) << i;
        EXPECT_EQ(a[i].has_image, b[i].has_image) << i;
    }
}

// The books that keep one contract: the device's store, one handle kept; the device's book
// opened afresh at every call; the fake in memory. `another` makes a second handle on the same
// persons (none for the fake, which is its own).
struct BookKind {
    const char* name;
    std::function<std::unique_ptr<ab::AddressBook>()> make;
    std::function<std::unique_ptr<ab::AddressBook>()> another;
    bool has_file;
};

const BookKind kBookKinds[] = {
    {"Store", [] { return ab::AddressBook::create(); }, [] { return ab::AddressBook::create(); },
     true},
    {"DeviceBook", [] { return std::make_unique<ab::DeviceAddressBook>(); },
     [] { return std::make_unique<ab::DeviceAddressBook>(); }, true},
    {"InMemory", [] { return std::make_unique<ab::InMemoryAddressBook>(); }, nullptr, false},
};

// Each test on a fresh device, so the books with a file start empty too. The device's store file
// is looked at for every kind: the fake never makes one.
class AddressBookContract : public ::testing::TestWithParam<BookKind> {
protected:
    ab::AddressBook& another()
    {
        if (!GetParam().another)
            return book;
        others_.push_back(GetParam().another());
        return *others_.back();
    }
    static std::filesystem::path file() { return ab::AddressBook::device_store_path(); }

    TempDevice device;
    std::unique_ptr<ab::AddressBook> owned_ = GetParam().make();
    ab::AddressBook& book = *owned_;

private:
    std::vector<std::unique_ptr<ab::AddressBook>> others_;
};

INSTANTIATE_TEST_SUITE_P(Books, AddressBookContract, ::testing::ValuesIn(kBookKinds),
                         [](const auto& kind) { return std::string(kind.param.name); });

// Texts that are not UTF-8, one field each.
const std::vector<std::pair<const char*, std::function<void(ab::Person&)>>> kSpoilers = {
    {"first name", [](ab::Person& p) { p.first_name = "Jo\xe3o"; }},
    {"last name", [](ab::Person& p) { p.last_name = "\xc0\xaf"; }},
    {"phone label",
     [](ab::Person& p) {
         p.phones = {{"h\xff", "1"}};
     }},
    {"e-mail address",
     [](ab::Person& p) {
         p.emails = {{"home", "a\xed\xa0\x80@b"}};
     }},
    {"date label",
     [](ab::Person& p) {
         p.dates = {{"\xf8\x88\x80\x80\x80", ab::CivilDate{2000, 1, 1}}};
     }},
    {"UID", [](ab::Person& p) { p.uid = std::string("u\0id", 4); }}};

} // namespace

TEST_P(AddressBookContract, SavesReadsAndReplacesWholePersons)
{
    ab::Person ana = person("Ana", "Silva", ab::CivilDate{1980, 3, 5});
    ana.image_data = {0x89, 'P', 'N', 'G', 0, 1, 2};
    ana.phones = {{"mobile", "+55 11 91234-5678"}, {"home", "555-0100"}, {"mobile", "555-0199"}};
    ana.emails = {{"work", "ana@example.com"}};
    ab::Person nameless, empty_first;
    empty_first.first_name = "";
    ASSERT_TRUE(book.save(ana));
    ASSERT_TRUE(book.save(nameless));
    ASSERT_TRUE(book.save(empty_first));

    ab::AddressBook& fresh = another();
    EXPECT_EQ(fresh.personWithRecordID(ana.id), ana);
    EXPECT_EQ(fresh.personWithRecordID(nameless.id), nameless);
    EXPECT_EQ(fresh.personWithRecordID(empty_first.id), empty_first);
    EXPECT_EQ(fresh.copyImageData(ana.id), ana.image_data);
    EXPECT_TRUE(fresh.copyImageData(nameless.id).empty());
    const auto all = fresh.copyArrayOfAllPeople();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(fresh.personCount(), 3u);
    EXPECT_EQ(all[0].id, ana.id);
    EXPECT_EQ(all[0].first_name, "Ana");
    EXPECT_EQ(all[0].last_name, "Silva");
    EXPECT_EQ(all[0].birthday, (ab::CivilDate{1980, 3, 5}));
    EXPECT_TRUE(all[0].has_image);
    EXPECT_EQ(all[1].first_name, std::nullopt);
    EXPECT_FALSE(all[1].has_image);

    ana.image_data.clear();
    ana.phones = {{"work", "3"}};
    ana.last_name.reset();
    ana.birthday = ab::CivilDate{ab::kUnknownYear, 2, 29};
    const ab::RecordID id = ana.id;
    ASSERT_TRUE(book.save(ana));
    EXPECT_EQ(ana.id, id);
    EXPECT_EQ(fresh.personWithRecordID(id), ana);
    EXPECT_FALSE(fresh.copyArrayOfAllPeople().at(0).has_image);
    EXPECT_EQ(fresh.personCount(), 3u);
}

TEST_P(AddressBookContract, OrderIsByIdentifierAndIdentifiersAreNeverReused)
{
    std::vector<ab::Person> persons = {person("A", "1"), person("B", "2"), person("C", "3")};
    ASSERT_TRUE(book.save(persons));
    EXPECT_LT(persons[0].id, persons[1].id);
    const ab::RecordID last = persons[2].id;
    EXPECT_EQ(ids_of(book), (std::vector<ab::RecordID>{persons[0].id, persons[1].id, last}));

    ASSERT_TRUE(book.remove(last));
    ASSERT_TRUE(book.remove(persons[0].id));
    EXPECT_FALSE(book.remove(last));
    EXPECT_FALSE(book.personWithRecordID(last));
    EXPECT_TRUE(book.copyImageData(last).empty());
    auto again = person("D", "4");
    ASSERT_TRUE(another().save(again));
    EXPECT_GT(again.id, last);
    EXPECT_EQ(ids_of(book), (std::vector<ab::RecordID>{persons[1].id, again.id}));

    // A removed person cannot come back under its old identifier.
    auto ghost = person("C", "3");
    ghost.id = last;
    EXPECT_FALSE(book.save(ghost));
    EXPECT_EQ(book.personCount(), 2u);
}

TEST_P(AddressBookContract, KeepsOnlyBirthdaysThatAreDates)
{
    for (const ab::CivilDate bad :
         {ab::CivilDate{1981, 2, 29}, ab::CivilDate{2100, 2, 29},
          ab::CivilDate{ab::kUnknownYear, 2, 30}, ab::CivilDate{1980, 4, 31},
          ab::CivilDate{1980, 13, 1}, ab::CivilDate{1980, 1, 0}, ab::CivilDate{0, 1, 1}}) {
        auto p = person("X", "Y", bad);
        EXPECT_FALSE(book.save(p)) << bad.year << "-" << bad.month << "-" << bad.day;
        EXPECT_EQ(p.id, ab::kInvalidRecordID);
    }
    EXPECT_FALSE(std::filesystem::exists(file()));
    auto leap = person("L", "Y", ab::CivilDate{2000, 2, 29});
    EXPECT_TRUE(book.save(leap));
}

TEST_P(AddressBookContract, KeepsLabelledDatesInTheirOrderAndOnlyRealDays)
{
    auto ana = person("Ana", "Silva");
    ana.phones = {{"home", "1"}};
    ana.dates = {{"anniversary", ab::CivilDate{2010, 6, 3}},
                 {"other", ab::CivilDate{ab::kUnknownYear, 2, 29}},
                 {"Primeiro encontro", ab::CivilDate{2008, 12, 31}},
                 {"anniversary", ab::CivilDate{1, 1, 1}}};
    ASSERT_TRUE(book.save(ana));
    EXPECT_EQ(another().personWithRecordID(ana.id), ana);
    EXPECT_EQ(another().copyAllPersons()->at(0), ana);

    auto wrong = ana;
    wrong.dates[1].date = ab::CivilDate{1981, 2, 29};
    EXPECT_FALSE(book.save(wrong));
    EXPECT_EQ(book.lastProblem()->kind, ab::StoreProblem::kInvalidPerson);
    ana.dates.erase(ana.dates.begin());
    ASSERT_TRUE(book.save(ana));
    EXPECT_EQ(another().personWithRecordID(ana.id)->dates, ana.dates);
}

// A value another writer left invalid reads as none; a row of a kind of value this build does
// not know (one a later build keeps) is passed over, as builds before labelled dates pass over
// theirs.
TEST(AddressBookStore, BirthdaysAndDatesAnotherWriterLeftInvalidReadAsNone)
{
    TempDevice device;
    auto book = ab::AddressBook::create();
    auto leap = person("L", "Y", ab::CivilDate{2000, 2, 29});
    leap.dates = {{"other", ab::CivilDate{2000, 2, 29}}};
    ASSERT_TRUE(book->save(leap));
    RawConnection other(ab::AddressBook::device_store_path());
    ASSERT_TRUE(other.exec("UPDATE Person SET birthday = 19800231"));
    EXPECT_EQ(book->copyArrayOfAllPeople().at(0).birthday, std::nullopt);
    ASSERT_TRUE(other.exec("UPDATE Person SET birthday = -5"));
    EXPECT_EQ(book->personWithRecordID(leap.id)->birthday, std::nullopt);

    ASSERT_TRUE(other.exec("INSERT INTO MultiValue VALUES (1, 3, 1, 'a', '1981-02-29'), "
                           "(1, 3, 2, 'b', '2000-2-29'), (1, 3, 3, 'c', '--06-03'), "
                           "(1, 9, 0, 'later', 'x')"));
    const std::vector<ab::LabeledDate> kept = {{"other", ab::CivilDate{2000, 2, 29}},
                                               {"c", ab::CivilDate{ab::kUnknownYear, 6, 3}}};
    EXPECT_EQ(book->personWithRecordID(leap.id)->dates, kept);
    EXPECT_EQ(book->copyAllPersons()->at(0).dates, kept);
    EXPECT_TRUE(book->copyAllPersons()->at(0).phones.empty());
}

// Every person a book holds can be written out as a card and read back: no text that is not
// UTF-8 gets in, whichever field and whichever write.
TEST_P(AddressBookContract, RefusesTextThatIsNotUtf8InAnyField)
{
    for (const auto& [field, spoil] : kSpoilers) {
        auto p = person("Ana", "Silva");
        spoil(p);
        EXPECT_FALSE(book.save(p)) << field;
        EXPECT_EQ(book.lastProblem()->kind, ab::StoreProblem::kInvalidPerson);
        EXPECT_FALSE(book.change([&](const std::vector<ab::Person>&) {
            return ab::Changes{{p}, {}};
        })) << field;
    }
    EXPECT_EQ(book.personCount(), 0u);
}

TEST(PersonText, NamesTheFieldThatIsNotUtf8AndMendsIt)
{
    for (const auto& [field, spoil] : kSpoilers) {
        auto p = person("Ana", "Silva");
        spoil(p);
        EXPECT_STREQ(ab::invalid_text_field(p), field);
        ab::make_texts_valid(p);
        EXPECT_EQ(ab::invalid_text_field(p), nullptr) << field;
    }
    EXPECT_EQ(ab::valid_text("Jo\xe3o \xf0\x9f\x8e\x82\xf0\x9f"),
              "Jo\uFFFDo \U0001F382\uFFFD\uFFFD");
}

TEST(PersonName, FirstAndLastJoinedOrTheOneThereIs)
{
    const struct {
        std::optional<std::string> first, last;
        std::string full;
    } cases[] = {
        {"Ana", "Silva", "Ana Silva"}, {"Ana", {}, "Ana"}, {{}, "Silva", "Silva"},
        {"", "Silva", "Silva"},        {"Ana", "", "Ana"}, {{}, {}, ""},
    };
    for (const auto& c : cases) {
        ab::Person p;
        p.first_name = c.first;
        p.last_name = c.last;
        EXPECT_EQ(ab::full_name(p), c.full) << c.full;
    }
}

TEST(Birthday, MonthLengthsFollowTheCalendarButTheUnknownYearKeepsTheTwentyNinth)
{
    EXPECT_EQ(ab::days_in_birthday_month(ab::kUnknownYear, 2), 29);
    EXPECT_EQ(ab::days_in_birthday_month(1900 + 4, 2), 29);
    EXPECT_EQ(ab::days_in_birthday_month(1981, 2), 28);
    EXPECT_EQ(ab::days_in_birthday_month(ab::kUnknownYear, 4), 30);
    EXPECT_EQ(ab::days_in_birthday_month(1981, 13), 0);
    EXPECT_TRUE(ab::is_valid_birthday({ab::kUnknownYear, 2, 29}));
    EXPECT_FALSE(ab::is_valid_birthday({10000, 1, 1}));
    // The first 28 days of a month are taken without the calendar: not those of no month.
    for (const ab::CivilDate no : {ab::CivilDate{1981, 0, 5},
                                   {1981, 13, 5},
                                   {1981, 4, 0},
                                   {1981, 4, 31},
                                   {1981, 2, 29},
                                   {0, 1, 1}})
        EXPECT_FALSE(ab::is_valid_birthday(no)) << no.year << "-" << no.month << "-" << no.day;
    for (const ab::CivilDate yes : {ab::CivilDate{1, 1, 1}, {1981, 1, 31}, {1984, 2, 29}})
        EXPECT_TRUE(ab::is_valid_birthday(yes)) << yes.year << "-" << yes.month << "-" << yes.day;
}

TEST(AddressBookStore, UnreadableFilesReadAsAnEmptyBook)
{
    TempDevice device;
    EXPECT_EQ(ab::AddressBook::device_store_path(),
              device.path("/var/mobile/Library/AddressBook/AddressBook.sqlitedb"));
    const auto file = ab::AddressBook::device_store_path();
    auto book = ab::AddressBook::create();
    EXPECT_TRUE(book->copyArrayOfAllPeople().empty());
    EXPECT_EQ(book->personCount(), 0u);
    EXPECT_FALSE(book->personWithRecordID(1));
    EXPECT_FALSE(book->remove(1));
    EXPECT_FALSE(std::filesystem::exists(file)) << "reading must not create the store";

    const std::string garbage =
        "BEGIN:VCARD\nno database, but someone's file\n" + std::string(5000, 'x');
    write_file(file, garbage);
    auto on_garbage = ab::AddressBook::create();
    EXPECT_TRUE(on_garbage->copyArrayOfAllPeople().empty());
    EXPECT_EQ(on_garbage->personCount(), 0u);
    auto p = person("A", "B");
    EXPECT_FALSE(on_garbage->save(p));
    EXPECT_EQ(contents(file), garbage) << "a failed write must leave the file as it was";

    write_file(file, "");
    EXPECT_TRUE(ab::AddressBook::create()->copyArrayOfAllPeople().empty());
    ASSERT_TRUE(ab::AddressBook::create()->save(p)) << "an empty file becomes a store";
    EXPECT_EQ(ab::AddressBook::create()->personCount(), 1u);
}

TEST(AddressBookStore, ALockHeldPastTheBusyTimeoutReadsEmptyFailsTheVisitAndWrites)
{
    TempDevice device;
    const auto file = ab::AddressBook::device_store_path();
    auto p = person("A", "B");
    ASSERT_TRUE(ab::AddressBook::create()->save(p));

    RawConnection other(file);
    ASSERT_TRUE(other.exec("BEGIN EXCLUSIVE"));
    auto book = ab::AddressBook::open(file, 100ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(book->copyArrayOfAllPeople().empty());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    struct Counter final : ab::PersonVisitor {
        void visit(const ab::PersonSummaryView&) override { ++seen; }
        int seen = 0;
    } counter;
    EXPECT_FALSE(book->visitAllPeople(counter)) << "a read that did not happen, not an empty book";
    auto q = person("C", "D");
    EXPECT_FALSE(book->save(q));
    EXPECT_EQ(q.id, ab::kInvalidRecordID);
    ASSERT_TRUE(other.exec("COMMIT"));

    EXPECT_EQ(book->copyArrayOfAllPeople().size(), 1u);
    EXPECT_TRUE(book->visitAllPeople(counter));
    EXPECT_EQ(counter.seen, 1);
    EXPECT_TRUE(book->save(q));
}

TEST_P(AddressBookContract, ManyPersonsAreWrittenAllOrNone)
{
    auto first = person("A", "B");
    ASSERT_TRUE(book.save(first));
    const auto modified = os::file_modification_date(file());

    // A person the book refuses before writing: none of the batch goes in.
    auto bad = person("X", "Y", ab::CivilDate{1981, 2, 29});
    std::vector<ab::Person> refused{person("D", "4"), bad};
    EXPECT_FALSE(book.save(refused)) << "all or none";
    EXPECT_EQ(refused[0].id, ab::kInvalidRecordID);

    // The third person names an identifier that does not exist, so the write fails after two
    // persons went in; the transaction takes them back.
    std::vector<ab::Person> batch = {person("C", "D"), person("E", "F"), person("G", "H")};
    batch[0].phones = {{"home", "1"}};
    batch[2].id = first.id + 100;
    EXPECT_FALSE(book.save(batch));
    EXPECT_EQ(batch[0].id, ab::kInvalidRecordID);
    EXPECT_EQ(batch[1].id, ab::kInvalidRecordID);
    EXPECT_EQ(ids_of(book), std::vector<ab::RecordID>{first.id});
    EXPECT_EQ(os::file_modification_date(file()), modified);

    batch[2].id = ab::kInvalidRecordID;
    ASSERT_TRUE(book.save(batch));
    EXPECT_EQ(ids_of(book),
              (std::vector<ab::RecordID>{first.id, batch[0].id, batch[1].id, batch[2].id}));
    EXPECT_EQ(book.personWithRecordID(batch[0].id), batch[0]);
    EXPECT_EQ(book.personCount(), 4u);
}

TEST(AddressBookStore, EveryWriteGivesTheFileANewModificationDate)
{
    TempDevice device;
    auto book = ab::AddressBook::create();
    auto p = person("P", "0");
    ASSERT_TRUE(book->save(p));
    auto previous = os::file_modification_date(ab::AddressBook::device_store_path());
    for (int i = 0; i < 40; ++i) {
        p.last_name = std::to_string(i);
        ASSERT_TRUE(i % 2 ? book->remove(p.id) : book->save(p));
        if (i % 2)
            p.id = ab::kInvalidRecordID;
        const auto now = os::file_modification_date(ab::AddressBook::device_store_path());
        ASSERT_TRUE(now && previous);
        EXPECT_GT(*now, *previous) << "write " << i;
        previous = now;
    }
}

TEST(AddressBookStore, KeepsUIDsAndTheSyncMarkAndOpensStoresWrittenBeforeThem)
{
    TempDevice device;
    const auto file = ab::AddressBook::device_store_path();
    std::filesystem::create_directories(file.parent_path());
    {
        // The layout of stores written before persons had a source.
        RawConnection older(file);
        ASSERT_TRUE(older.exec(
            "CREATE TABLE Person (id INTEGER PRIMARY KEY AUTOINCREMENT, first_name TEXT, "
            "last_name TEXT, birthday INTEGER, has_image INTEGER NOT NULL DEFAULT 0);"
            "CREATE TABLE PersonImage (person INTEGER PRIMARY KEY, data BLOB NOT NULL);"
            "CREATE TABLE MultiValue (person INTEGER NOT NULL, property INTEGER NOT NULL, "
            "position INTEGER NOT NULL, label TEXT NOT NULL, value TEXT NOT NULL, "
            "PRIMARY KEY (person, property, position)) WITHOUT ROWID;"
            "INSERT INTO Person (first_name, birthday) VALUES ('Old', 19700101);"
            "INSERT INTO MultiValue VALUES (1, 1, 0, 'home', '555');"));
    }
    auto book = ab::AddressBook::create();
    auto all = book->copyAllPersons();
    ASSERT_TRUE(all) << book->lastProblem()->detail;
    ASSERT_EQ(all->size(), 1u);
    EXPECT_EQ(all->at(0).uid, std::nullopt);
    EXPECT_EQ(all->at(0).phones, (std::vector<ab::LabeledValue>{{"home", "555"}}));
    EXPECT_EQ(book->personWithRecordID(1), all->at(0));

    auto synced = person("New", "Card");
    synced.uid = "urn:uuid:1;2";
    synced.synced = true;
    synced.emails = {{"work", "n@example.com"}};
    ASSERT_TRUE(book->save(synced));
    all = ab::AddressBook::create()->copyAllPersons();
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ(all->at(1), synced);
    EXPECT_EQ(ab::AddressBook::create()->personWithRecordID(synced.id), synced);

    synced.uid.reset();
    synced.synced = false;
    ASSERT_TRUE(book->save(synced));
    EXPECT_EQ(ab::AddressBook::create()->copyAllPersons()->at(1), synced);
}

TEST_P(AddressBookContract, AChangeIsMadeWholeOrNotAtAllAndOneThatChangesNothingWritesNothing)
{
    std::vector<ab::Person> persons = {person("A", "1"), person("B", "2")};
    ASSERT_TRUE(book.save(persons));
    const auto modified = os::file_modification_date(file());
    const std::string bytes = contents(file());

    int plans = 0;
    ASSERT_TRUE(book.change([&](const std::vector<ab::Person>& stored) {
        ++plans;
        EXPECT_EQ(stored.size(), 2u);
        EXPECT_EQ(stored, persons);
        return ab::Changes{};
    }));
    EXPECT_EQ(plans, 1);
    EXPECT_EQ(os::file_modification_date(file()), modified);
    EXPECT_EQ(contents(file()), bytes);

    // Adds, replacements and removals go in one transaction.
    ASSERT_TRUE(book.change([&](const std::vector<ab::Person>& stored) {
        ab::Changes changes;
        changes.removals = {stored[0].id};
        changes.saves = {stored[1], person("C", "3")};
        changes.saves[0].last_name = "two";
        return changes;
    }));
    EXPECT_EQ(book.lastProblem(), std::nullopt);
    const auto after = book.copyAllPersons();
    ASSERT_TRUE(after);
    ASSERT_EQ(after->size(), 2u);
    EXPECT_EQ(after->at(0).id, persons[1].id);
    EXPECT_EQ(after->at(0).last_name, "two");
    EXPECT_EQ(after->at(1).first_name, "C");
    if (GetParam().has_file) {
        EXPECT_GT(os::file_modification_date(file()), modified);
    }

    // A removal of nobody takes the whole change back, the valid save included.
    EXPECT_FALSE(book.change([&](const std::vector<ab::Person>&) {
        ab::Changes changes;
        changes.saves = {person("D", "4")};
        changes.removals = {after->at(0).id, after->at(1).id + 100};
        return changes;
    }));
    EXPECT_EQ(book.lastProblem()->kind, ab::StoreProblem::kInvalidPerson);
    EXPECT_EQ(book.personCount(), 2u);
}

TEST_P(AddressBookContract, AnEditChangesThePersonAsStoredWhenItWrites)
{
    auto ana = person("Ana", "Silva");
    ASSERT_TRUE(book.save(ana));
    // Another program's change lands after this one read the person.
    auto meanwhile = *another().personWithRecordID(ana.id);
    meanwhile.phones = {{"home", "1"}};
    ASSERT_TRUE(another().save(meanwhile));

    const auto edited = book.edit(ana.id, [](ab::Person& p) { p.last_name = "Costa"; });
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->last_name, "Costa");
    EXPECT_EQ(edited->phones, meanwhile.phones);
    EXPECT_EQ(book.personWithRecordID(ana.id), edited);

    const std::vector<std::pair<const char*, std::function<void(ab::Person&)>>> refused = {
        {"no such person", [](ab::Person&) {}},
        {"no date",
         [](ab::Person& p) {
             p.birthday = ab::CivilDate{2001, 2, 29};
         }},
        {"not UTF-8", [](ab::Person& p) { p.first_name = "\xff"; }},
    };
    for (const auto& [what, apply] : refused) {
        SCOPED_TRACE(what);
        const ab::RecordID id = std::string(what) == "no such person" ? ana.id + 100 : ana.id;
        EXPECT_FALSE(book.edit(id, apply));
        ASSERT_TRUE(book.lastProblem());
        EXPECT_EQ(book.lastProblem()->kind, ab::StoreProblem::kInvalidPerson);
        EXPECT_EQ(book.personWithRecordID(ana.id), edited) << "nothing written";
    }
}

// Two programs edit one person at the same moment, many times over, on the real store: neither
// undoes the other. When both change one field, the later write has it, and what else each
// changed stays.
TEST(AddressBookStore, TwoEditorsRacingOnOnePersonKeepBothChanges)
{
    TempDevice device;
    auto ana = person("Ana", "Silva");
    ASSERT_TRUE(ab::AddressBook::create()->save(ana));
    constexpr int kRuns = 100;
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE(run);
        const bool same_field = run % 2 == 1;
        const std::string a = "A" + std::to_string(run), b = "B" + std::to_string(run);
        std::atomic<int> turn{0};
        int a_turn = 0, b_turn = 0;
        std::latch start(2);
        std::thread first([&] {
            auto handle = ab::AddressBook::create();
            start.arrive_and_wait();
            EXPECT_TRUE(handle->edit(ana.id, [&](ab::Person& p) {
                a_turn = ++turn; // the write lock is held: turns are the order of the writes
                (same_field ? p.last_name : p.first_name) = a;
                p.phones = {{"mobile", a}};
            }));
        });
        std::thread second([&] {
            auto handle = ab::AddressBook::create();
            start.arrive_and_wait();
            EXPECT_TRUE(handle->edit(ana.id, [&](ab::Person& p) {
                b_turn = ++turn;
                p.last_name = b;
                p.emails = {{"home", b}};
            }));
        });
        first.join();
        second.join();
        const auto stored = ab::AddressBook::create()->personWithRecordID(ana.id);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->phones, (std::vector<ab::LabeledValue>{{"mobile", a}}));
        EXPECT_EQ(stored->emails, (std::vector<ab::LabeledValue>{{"home", b}}));
        if (same_field) {
            EXPECT_EQ(stored->last_name, a_turn > b_turn ? a : b) << "the later write wins";
        } else {
            EXPECT_EQ(stored->first_name, a);
            EXPECT_EQ(stored->last_name, b);
        }
    }
}

TEST(AddressBookStore, AChangePlansAgainWhenAnotherProgramWroteAfterItsRead)
{
    TempDevice device;
    auto book = ab::AddressBook::create();
    auto first = person("A", "1");
    ASSERT_TRUE(book->save(first));
    std::vector<size_t> seen;
    ASSERT_TRUE(book->change([&](const std::vector<ab::Person>& stored) {
        seen.push_back(stored.size());
        if (seen.size() == 1) {
            RawConnection other(ab::AddressBook::device_store_path());
            EXPECT_TRUE(other.exec("INSERT INTO Person (first_name) VALUES ('Other')"));
        }
        ab::Changes changes;
        for (auto p : stored) {
            p.last_name = "seen";
            changes.saves.push_back(p);
        }
        return changes;
    }));
    EXPECT_EQ(seen, (std::vector<size_t>{1, 2}));
    const auto after = book->copyAllPersons();
    ASSERT_TRUE(after);
    for (const auto& p : *after)
        EXPECT_EQ(p.last_name, "seen") << *p.first_name;
}

TEST(AddressBookStore, SaysWhatIsWrongWithAStoreItCannotUse)
{
    TempDevice device;
    const auto file = ab::AddressBook::device_store_path();
    auto missing = ab::AddressBook::create()->copyAllPersons();
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->empty());

    write_file(file, "BEGIN:VCARD\nsomeone's file\n" + std::string(5000, 'x'));
    auto book = ab::AddressBook::create();
    EXPECT_FALSE(book->copyAllPersons());
    EXPECT_EQ(book->lastProblem()->kind, ab::StoreProblem::kNotADatabase);
    auto p = person("A", "B");
    EXPECT_FALSE(book->save(p));
    EXPECT_EQ(book->lastProblem()->kind, ab::StoreProblem::kNotADatabase);

    // Another program's database is left alone, not given this book's tables.
    std::filesystem::remove(file);
    RawConnection(file).exec("CREATE TABLE Notes (text TEXT)");
    const std::string foreign = contents(file);
    book = ab::AddressBook::create();
    EXPECT_FALSE(book->copyAllPersons());
    EXPECT_EQ(book->lastProblem()->kind, ab::StoreProblem::kNotAnAddressBook);
    EXPECT_FALSE(book->save(p));
    EXPECT_EQ(book->lastProblem()->kind, ab::StoreProblem::kNotAnAddressBook);
    EXPECT_EQ(contents(file), foreign);

    // A table that cannot be read is named, not taken for a book without phone numbers.
    std::filesystem::remove(file);
    ASSERT_TRUE(ab::AddressBook::create()->save(p));
    ASSERT_TRUE(RawConnection(file).exec("DROP TABLE MultiValue"));
    book = ab::AddressBook::create();
    EXPECT_FALSE(book->copyAllPersons());
    EXPECT_EQ(book->lastProblem()->kind, ab::StoreProblem::kNotAnAddressBook);
    EXPECT_NE(book->lastProblem()->detail.find("MultiValue"), std::string::npos)
        << book->lastProblem()->detail;

    RawConnection other(file);
    ASSERT_TRUE(other.exec("CREATE TABLE MultiValue (person, property, position, label, value)"));
    ASSERT_TRUE(other.exec("BEGIN EXCLUSIVE"));
    book = ab::AddressBook::open(file, 50ms);
    EXPECT_FALSE(book->copyAllPersons());
    EXPECT_EQ(book->lastProblem()->kind, ab::StoreProblem::kLocked);
    EXPECT_FALSE(book->save(p));
    EXPECT_EQ(book->lastProblem()->kind, ab::StoreProblem::kLocked);
    ASSERT_TRUE(other.exec("COMMIT"));
    EXPECT_TRUE(book->copyAllPersons());
    EXPECT_EQ(book->lastProblem(), std::nullopt);
}

TEST(AddressBookStore, IdentifiersBeyond32BitsAreKeptWhole)
{
    TempDevice device;
    auto book = ab::AddressBook::create();
    auto first = person("A", "1");
    ASSERT_TRUE(book->save(first));
    constexpr ab::RecordID kBig = (ab::RecordID(1) << 31) + 5;
    ASSERT_TRUE(RawConnection(ab::AddressBook::device_store_path())
                    .exec("INSERT INTO Person (id, first_name) VALUES (2147483653, 'Big')"));
    EXPECT_EQ(ids_of(*book), (std::vector<ab::RecordID>{first.id, kBig}));
    EXPECT_EQ(book->personWithRecordID(kBig)->first_name, "Big");
    EXPECT_FALSE(book->personWithRecordID(kBig - (ab::RecordID(1) << 32)));
    auto next = person("C", "3");
    ASSERT_TRUE(book->save(next));
    EXPECT_EQ(next.id, kBig + 1);
    EXPECT_EQ(book->copyAllPersons()->size(), 3u);
}

// The visit is the list of all persons without the copies: the same persons, in the same order,
// with a missing name apart from an empty one.
TEST_P(AddressBookContract, AVisitSeesWhatTheListOfAllPersonsHolds)
{
    std::vector<ab::Person> persons = {person("Ana", "", ab::CivilDate{1980, 3, 5}),
                                       person("", "Lima"), person("Caio", "")};
    persons[0].last_name.reset();
    persons[0].image_data = {1};
    persons[2].first_name.reset();
    persons[2].last_name.reset();
    ASSERT_TRUE(book.save(persons));

    Recorder recorder;
    EXPECT_TRUE(book.visitAllPeople(recorder));
    EXPECT_EQ(recorder.expected, 3u);
    expectSamePersons(recorder.seen, book.copyArrayOfAllPeople());
    EXPECT_EQ(recorder.seen[1].first_name, "");
    EXPECT_EQ(recorder.seen[2].first_name, std::nullopt);
}

TEST(AddressBookStore, ABookThatIsNoStoreVisitsNoOne)
{
    TempDevice device;
    Recorder none;
    EXPECT_TRUE(ab::DeviceAddressBook().visitAllPeople(none)); // no file: an empty book
    EXPECT_TRUE(none.seen.empty());

    const auto garbage = device.root() / "garbage.sqlitedb";
    std::ofstream(garbage) << "not a database at all, just text that is long enough";
    Recorder onGarbage;
    ab::AddressBook::open(garbage)->visitAllPeople(onGarbage);
    EXPECT_TRUE(onGarbage.seen.empty());
}

TEST(AddressBookStore, ReadsAGivenStoreFile)
{
    TempDevice device;
    const auto file = device.root() / "elsewhere.sqlitedb";
    auto caio = person("Caio", "", ab::CivilDate{1990, 1, 7});
    ASSERT_TRUE(ab::AddressBook::open(file)->save(caio));
    EXPECT_EQ(ab::AddressBook::open(file)->copyArrayOfAllPeople().size(), 1u);
    EXPECT_TRUE(ab::DeviceAddressBook().copyArrayOfAllPeople().empty());
}

TEST(DeviceAddressBook, ReadsTheDeviceStoreAfreshOnEveryCall)
{
    TempDevice device;
    const ab::DeviceAddressBook book;
    EXPECT_TRUE(book.copyArrayOfAllPeople().empty()); // no store file yet

    auto store = ab::AddressBook::create();
    ab::Person ana = person("Ana", "", ab::CivilDate{1980, 3, 5});
    ana.image_data = {0x89, 'P', 'N', 'G'};
    ab::Person bia = person("Bia", "");
    ASSERT_TRUE(store->save(ana));
    ASSERT_TRUE(store->save(bia));

    auto all = book.copyArrayOfAllPeople();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, ana.id);
    EXPECT_TRUE(all[0].has_image);
    EXPECT_EQ(all[1].id, bia.id);
    EXPECT_EQ(book.copyImageData(ana.id), ana.image_data);
    EXPECT_EQ(book.personWithRecordID(bia.id), bia);

    ASSERT_TRUE(store->remove(ana.id));
    all = book.copyArrayOfAllPeople();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].id, bia.id);
    EXPECT_FALSE(book.personWithRecordID(ana.id));
    EXPECT_TRUE(book.copyImageData(ana.id).empty());

    // A store file removed and made anew: a handle kept open would still read the old one.
    std::filesystem::remove(ab::AddressBook::device_store_path());
    ab::Person caio = person("Caio", "");
    ASSERT_TRUE(ab::AddressBook::create()->save(caio));
    all = book.copyArrayOfAllPeople();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].first_name, "Caio");
}
