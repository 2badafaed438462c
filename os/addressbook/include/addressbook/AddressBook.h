#pragma once
// The device's address book: persons kept in the SQLite file kDeviceStorePath of the device.
// The schema is this library's own. Reading never fails: a file that is missing, empty, locked
// past the busy timeout or not an SQLite file reads as an empty address book; copyAllPersons and
// the writes say what is wrong instead (lastProblem). Every write is one transaction, so a reader
// (and the file's modification date) only ever sees complete changes.
//
// Thread: a handle is used by one thread at a time. Handles are cheap; each caller makes its own.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ab {

// SQLite hands out row identifiers of 64 bits; a narrower type would fold two persons into one.
using RecordID = int64_t;
inline constexpr RecordID kInvalidRecordID = -1;

// A birthday is a calendar date, not an instant, so no time zone moves it to another day. (The
// phone's own book hands a birthday out as local noon of the date; the calendar splits local
// noon into that same date in every time zone, so the date is all there is to it.)
// A birthday whose year is unknown is kept with the year 1900.
struct CivilDate {
    int year = 1900;
    int month = 1; // 1..12
    int day = 1; // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};
inline constexpr int kUnknownYear = 1900;

// The days of a birthday's month: as the calendar has them in its year, but 29 in February of
// the unknown year, since the person may well be born on the 29th although 1900 was a common
// year. 0 for a month outside 1..12.
int days_in_birthday_month(int year, int month);
// True for a day that exists in its year (years 1 to 9999), by days_in_birthday_month.
bool is_valid_birthday(const CivilDate& date);
// The date as ISO 8601 text: "1990-06-03", or "--06-03" in the unknown year.
std::string iso_date_text(const CivilDate& date);
// The date of such text; nullopt for any other text, or a day that is_valid_birthday refuses.
std::optional<CivilDate> parse_iso_date(std::string_view text);

struct LabeledValue {
    std::string label; // "home", "work", "mobile", "fax", or any custom text
    std::string value; // as the user typed it
    friend bool operator==(const LabeledValue&, const LabeledValue&) = default;
};

// A date of the person's life other than the birthday: a wedding anniversary, or any date the
// user gave a label to. Like a birthday, a date whose year is unknown has the year kUnknownYear,
// and only a date that is_valid_birthday is kept.
struct LabeledDate {
    std::string label; // "anniversary", "other", or any custom text
    CivilDate date;
    friend bool operator==(const LabeledDate&, const LabeledDate&) = default;
};

// What a list of all persons carries: enough to build birthday records without reading photos or
// multi-values, which are fetched per person when shown. A birthday handed out is always one that
// is_valid_birthday: a book keeps no other, and reads one that another writer left as none.
struct PersonSummary {
    RecordID id = kInvalidRecordID;
    std::optional<std::string> first_name;
    std::optional<std::string> last_name;
    std::optional<CivilDate> birthday;
    bool has_image = false;
};

// One person as a visit of all persons sees it: a PersonSummary whose names point into the
// store's current row, valid only during the call that receives them.
struct PersonSummaryView {
    RecordID id = kInvalidRecordID;
    std::optional<std::string_view> first_name;
    std::optional<std::string_view> last_name;
    std::optional<CivilDate> birthday;
    bool has_image = false;
};

// What receives a visit of all persons: first how many there are about to be (as far as the
// store knows beforehand), then each person once.
class PersonVisitor {
public:
    virtual ~PersonVisitor() = default;
    virtual void expect(size_t /*count*/) {}
    virtual void visit(const PersonSummaryView& person) = 0;
};

struct Person {
    RecordID id = kInvalidRecordID; // kInvalidRecordID until first saved
    std::optional<std::string> first_name;
    std::optional<std::string> last_name;
    std::optional<CivilDate> birthday;
    std::vector<uint8_t> image_data; // empty: no photo
    std::vector<LabeledValue> phones;
    std::vector<LabeledValue> emails;
    std::vector<LabeledDate> dates; // in the order the user keeps them
    // The vCard UID the person came with, kept so that the same card is recognised next time.
    std::optional<std::string> uid;
    // True while the person mirrors a card of the sync folder, which may change or remove it;
    // persons added on the device are never touched by a sync.
    bool synced = false;
    friend bool operator==(const Person&, const Person&) = default;
};

// What the first date of the person that is no valid date is ("birthday", "labelled date");
// nullptr when every date is_valid_birthday.
const char* invalid_date_field(const Person& person);

// The store file of the device, a device path (resolved under the device root).
inline constexpr const char* kDeviceStorePath =
    "/var/mobile/Library/AddressBook/AddressBook.sqlitedb";

// Why the last copyAllPersons, change or write of a handle failed.
struct StoreProblem {
    enum Kind {
        kLocked, // another program held the lock past the busy timeout
        kNotADatabase, // the file is no SQLite database
        kNotAnAddressBook, // an SQLite database, but its tables are not (all) this book's
        kNoAccess, // no permission, a read-only file system, a folder that cannot be made
        kDamaged, // corrupt pages, an I/O error
        kFull, // no room left on the disk (or past the file's size limit)
        kInvalidPerson, // a birthday or labelled date that is no date, a text that is not
                        // UTF-8, an identifier that names no person
    };
    Kind kind;
    std::string detail; // SQLite's own words, when it had any
};

// What a change of the book does, in one transaction.
struct Changes {
    std::vector<Person> saves; // new persons (kInvalidRecordID) and replacements
    std::vector<RecordID> removals; // persons to remove
    bool empty() const { return saves.empty() && removals.empty(); }
};

// How long a read or write waits for a lock that another process holds before it gives up.
inline constexpr std::chrono::milliseconds kDefaultBusyTimeout{3000};

class AddressBook {
public:
    // A fresh handle on the device's address book (ABAddressBookCreate). A program that keeps
    // the device's book for its whole run keeps a DeviceAddressBook instead.
    static std::unique_ptr<AddressBook> create();
    // A handle on another store file, for tools and tests.
    static std::unique_ptr<AddressBook> open(const std::filesystem::path& store_file);
    static std::unique_ptr<AddressBook> open(const std::filesystem::path& store_file,
                                             std::chrono::milliseconds busy_timeout);
    // The store file of the device.
    static std::filesystem::path device_store_path();

    virtual ~AddressBook() = default;

    // Every person once, in the book's stable order (ascending record identifier).
    virtual std::vector<PersonSummary> copyArrayOfAllPeople() const = 0;
    // The same persons in the same order, handed to the visitor one by one without a copy of
    // any. False when the read stopped before the end, or could not start because another
    // program held the lock past the busy timeout: the persons visited then are not the whole
    // book (copyArrayOfAllPeople reads such a book as empty).
    virtual bool visitAllPeople(PersonVisitor& visitor) const = 0;
    // The number of persons now. Another process may write between this and an earlier
    // copyArrayOfAllPeople, so a loop over that array is bounded by the array's own length.
    virtual size_t personCount() const = 0;
    // The whole person, or nullopt when no person has that identifier (any more).
    virtual std::optional<Person> personWithRecordID(RecordID id) const = 0;
    // The photo bytes of a person; empty when none.
    virtual std::vector<uint8_t> copyImageData(RecordID id) const = 0;

    // Saves a new person (assigning person.id, never reusing an identifier) or replaces an
    // existing one. Creates the store when missing. False, with nothing written, on failure:
    // a birthday or labelled date that is no valid date, a text that is not UTF-8 (PersonText.h),
    // an identifier that names no person, a store that is locked past the busy timeout or is not an
    // address book, a full disk.
    virtual bool save(Person& person) = 0;
    // Saves all persons in one transaction: all of them, or none (and no identifier assigned).
    virtual bool save(std::vector<Person>& persons) = 0;
    // Removes the person; false when there was none or the write failed.
    virtual bool remove(RecordID id) = 0;
    // Changes one person as stored at the moment of the write: reads it inside the write's
    // transaction, lets `apply` change what the caller means to change, and writes it back before
    // anyone else can write, so that what another program changed meanwhile in the fields `apply`
    // leaves alone stays. `apply` runs with the write lock held: slow work (decoding a photo) is
    // done before the call. The person as written, or nullopt with nothing written: no person
    // has that identifier (kInvalidPerson), the edited person is not valid, or the write failed.
    virtual std::optional<Person> edit(RecordID id, const std::function<void(Person&)>& apply) = 0;

    // Every person whole, in the book's order, from one read transaction. A missing or empty
    // store file is an empty book; nullopt when the store cannot be read (lastProblem says why).
    virtual std::optional<std::vector<Person>> copyAllPersons() const = 0;
    // Reads every person, lets `plan` say what to change, and writes that in one transaction on
    // exactly the persons it was shown: when another program wrote in between, it reads and
    // plans again. When the plan changes nothing, nothing is written, not even the file's
    // modification date. False, with nothing written, on failure.
    virtual bool change(const std::function<Changes(const std::vector<Person>&)>& plan) = 0;
    // Why the last copyAllPersons, change or write failed; nullopt after a success.
    virtual std::optional<StoreProblem> lastProblem() const = 0;
};

} // namespace ab
