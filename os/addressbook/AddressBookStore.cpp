#include "addressbook/AddressBook.h"
#include "addressbook/PersonText.h"
#include "foundation/Device.h"
#include "foundation/FileAttributes.h"
#include "sqlite/Database.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <span>

namespace ab {
namespace {

// Photos and multi-values live in their own tables so that the list of all persons scans only
// small rows; has_image spares that scan a look into the photo table. Where a person came from
// (its vCard UID, whether it mirrors the sync folder) has a table of its own for the same reason;
// stores written before it existed get it at their next write, inside that write's transaction,
// and read as persons without a UID until then.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS Person (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    first_name TEXT,
    last_name TEXT,
    birthday INTEGER,
    has_image INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE IF NOT EXISTS PersonImage (
    person INTEGER PRIMARY KEY,
    data BLOB NOT NULL
);
CREATE TABLE IF NOT EXISTS MultiValue (
    person INTEGER NOT NULL,
    property INTEGER NOT NULL,
    position INTEGER NOT NULL,
    label TEXT NOT NULL,
    value TEXT NOT NULL,
    PRIMARY KEY (person, property, position)
) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS PersonSource (
    person INTEGER PRIMARY KEY,
    uid TEXT,
    synced INTEGER NOT NULL DEFAULT 0
);
)sql";

// The tables a write may find beside its own: a store of another schema is left alone.
constexpr const char* kForeignTables =
    "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name NOT IN "
    "('Person', 'PersonImage', 'MultiValue', 'PersonSource', 'sqlite_sequence')";

// A labelled date is a multi-value too, its value the date as ISO 8601 text, "1990-06-03", or
// "--06-03" without a year: no new table or column, so the stores of every build open alike, and
// a build that knows no dates passes over their rows (its next save of that person drops them).
enum Property { kPhone = 1, kEmail = 2, kDate = 3 };

using os::sqlite::Connection;
using os::sqlite::Statement;
using os::sqlite::Transaction;

std::optional<int64_t> single_integer(Connection& db, const char* sql)
{
    Statement query(db, sql);
    if (!query || query.step() != SQLITE_ROW)
        return std::nullopt;
    return query.integer(0);
}

bool has_table(Connection& db, const char* name)
{
    Statement query(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    return query && query.bind(1, std::string(name)).step() == SQLITE_ROW;
}

StoreProblem::Kind kind_of(int code)
{
    if (os::sqlite::is_busy(code))
        return StoreProblem::kLocked;
    switch (code & 0xFF) {
    case SQLITE_NOTADB: return StoreProblem::kNotADatabase;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH: return StoreProblem::kNoAccess;
    case SQLITE_FULL: return StoreProblem::kFull;
    case SQLITE_ERROR: // our own statements fail so only on a missing table or column
        return StoreProblem::kNotAnAddressBook;
    default: return StoreProblem::kDamaged;
    }
}

std::optional<int64_t> encode(const std::optional<CivilDate>& date)
{
    if (!date)
        return std::nullopt;
    return int64_t(date->year) * 10000 + date->month * 100 + date->day;
}

// A value that some other writer left invalid reads as no birthday.
std::optional<CivilDate> decode_birthday(const Statement& row, int column)
{
    const std::optional<int64_t> stored = row.optional_integer(column);
    if (!stored)
        return std::nullopt;
    const int64_t value = *stored;
    if (value < 0 || value > 99991231)
        return std::nullopt;
    const CivilDate date{int(value / 10000), int(value / 100 % 100), int(value % 100)};
    if (!is_valid_birthday(date))
        return std::nullopt;
    return date;
}

// A row of MultiValue into its list; a date that some other writer left invalid is passed over.
void take_value(Person& person, int64_t property, std::string label, std::string value)
{
    if (property == kPhone) {
        person.phones.push_back({std::move(label), std::move(value)});
    } else if (property == kEmail) {
        person.emails.push_back({std::move(label), std::move(value)});
    } else if (property == kDate) {
        if (const auto date = parse_iso_date(value))
            person.dates.push_back({std::move(label), *date});
    }
}

// The statements one write transaction uses, prepared once however many persons it saves.
class PersonWriter {
public:
    explicit PersonWriter(Connection& db)
        : db_(db),
          insert_person_(db, "INSERT INTO Person (first_name, last_name, birthday, has_image) "
                             "VALUES (?1, ?2, ?3, ?4)"),
          update_person_(db, "UPDATE Person SET first_name = ?1, last_name = ?2, birthday = ?3, "
                             "has_image = ?4 WHERE id = ?5"),
          delete_image_(db, "DELETE FROM PersonImage WHERE person = ?1"),
          insert_image_(db, "INSERT INTO PersonImage (person, data) VALUES (?1, ?2)"),
          delete_values_(db, "DELETE FROM MultiValue WHERE person = ?1"),
          insert_value_(db, "INSERT INTO MultiValue (person, property, position, label, value) "
                            "VALUES (?1, ?2, ?3, ?4, ?5)"),
          delete_source_(db, "DELETE FROM PersonSource WHERE person = ?1"),
          insert_source_(db, "INSERT INTO PersonSource (person, uid, synced) VALUES (?1, ?2, ?3)")
    {
    }

    bool ready() const
    {
        return insert_person_ && update_person_ && delete_image_ && insert_image_ &&
               delete_values_ && insert_value_ && delete_source_ && insert_source_;
    }

    // True when the last failure was the person's fault, not the store's.
    bool invalid_person() const { return invalid_person_; }

    // Writes the person's own row; the identifier it has in the store, or nullopt on failure.
    std::optional<RecordID> write_row(const Person& person)
    {
        if (person.id == kInvalidRecordID) {
            bind_fields(insert_person_, person);
            if (!insert_person_.run())
                return std::nullopt;
            return db_.last_insert_rowid();
        }
        if (person.id <= 0)
            return invalid();
        bind_fields(update_person_, person).bind(5, person.id);
        if (!update_person_.run())
            return std::nullopt;
        if (db_.changes() != 1)
            return invalid();
        return person.id;
    }

    // Replaces the photo and the multi-values kept under the identifier.
    bool write_details(RecordID id, const Person& person)
    {
        if (!delete_image_.bind(1, id).run() || !delete_values_.bind(1, id).run() ||
            !delete_source_.bind(1, id).run())
            return false;
        if (!person.image_data.empty() &&
            !insert_image_.bind(1, id).bind(2, person.image_data).run())
            return false;
        if ((person.uid || person.synced) &&
            !insert_source_.bind(1, id).bind(2, person.uid).bind(3, person.synced ? 1 : 0).run())
            return false;
        if (!write_values(id, kPhone, person.phones) || !write_values(id, kEmail, person.emails))
            return false;
        for (size_t position = 0; position < person.dates.size(); ++position) {
            const auto& item = person.dates[position];
            if (!insert_value(id, kDate, position, item.label, iso_date_text(item.date)))
                return false;
        }
        return true;
    }

    bool remove(RecordID id)
    {
        Statement remove_person(db_, "DELETE FROM Person WHERE id = ?1");
        if (!remove_person || !remove_person.bind(1, id).run())
            return false;
        if (db_.changes() != 1) {
            invalid();
            return false;
        }
        return delete_image_.bind(1, id).run() && delete_values_.bind(1, id).run() &&
               delete_source_.bind(1, id).run();
    }

private:
    Statement& bind_fields(Statement& statement, const Person& person)
    {
        const auto birthday = encode(person.birthday);
        statement.bind(1, person.first_name).bind(2, person.last_name);
        if (birthday)
            statement.bind(3, *birthday);
        return statement.bind(4, person.image_data.empty() ? 0 : 1);
    }

    bool write_values(RecordID id, Property property, const std::vector<LabeledValue>& values)
    {
        for (size_t position = 0; position < values.size(); ++position)
            if (!insert_value(id, property, position, values[position].label,
                              values[position].value))
                return false;
        return true;
    }

    bool insert_value(RecordID id, Property property, size_t position, const std::string& label,
                      const std::string& value)
    {
        insert_value_.bind(1, id).bind(2, property).bind(3, int64_t(position));
        return insert_value_.bind(4, label).bind(5, value).run();
    }

    std::optional<RecordID> invalid()
    {
        invalid_person_ = true;
        return std::nullopt;
    }

    Connection& db_;
    Statement insert_person_, update_person_, delete_image_, insert_image_, delete_values_,
        insert_value_, delete_source_, insert_source_;
    bool invalid_person_ = false;
};

// Every person whole, read by one sequential scan of each table, each in person order.
std::optional<std::vector<Person>> read_all_persons(Connection& db)
{
    std::vector<Person> persons;
    if (!has_table(db, "Person")) {
        // A fresh database has no tables yet; one with tables of its own is not an address book.
        if (single_integer(db, kForeignTables).value_or(1) == 0)
            return persons;
        return std::nullopt;
    }
    Statement rows(db, "SELECT id, first_name, last_name, birthday FROM Person ORDER BY id");
    if (!rows)
        return std::nullopt;
    int status;
    while ((status = rows.step()) == SQLITE_ROW) {
        Person& person = persons.emplace_back();
        person.id = rows.integer(0);
        person.first_name = rows.text(1);
        person.last_name = rows.text(2);
        person.birthday = decode_birthday(rows, 3);
    }
    if (status != SQLITE_DONE)
        return std::nullopt;

    // Walks a table ordered by person alongside the persons; rows of no person are skipped.
    const auto join = [&](const char* sql, auto&& take) {
        Statement table(db, sql);
        if (!table)
            return false;
        size_t at = 0;
        int step;
        while ((step = table.step()) == SQLITE_ROW) {
            const RecordID id = table.integer(0);
            while (at < persons.size() && persons[at].id < id)
                ++at;
            if (at < persons.size() && persons[at].id == id)
                take(persons[at], table);
        }
        return step == SQLITE_DONE;
    };
    const bool whole =
        join("SELECT person, data FROM PersonImage ORDER BY person",
             [](Person& person, const Statement& row) { person.image_data = row.blob(1); }) &&
        join("SELECT person, property, label, value FROM MultiValue "
             "ORDER BY person, property, position",
             [](Person& person, const Statement& row) {
                 take_value(person, row.integer(1), row.text(2).value_or(""),
                            row.text(3).value_or(""));
             }) &&
        (!has_table(db, "PersonSource") ||
         join("SELECT person, uid, synced FROM PersonSource ORDER BY person",
              [](Person& person, const Statement& row) {
                  person.uid = row.text(1);
                  person.synced = row.integer(2) != 0;
              }));
    if (!whole)
        return std::nullopt;
    return persons;
}

class AddressBookStore final : public AddressBook {
public:
    AddressBookStore(std::filesystem::path file, std::chrono::milliseconds busy_timeout)
        : file_(std::move(file)), busy_timeout_(busy_timeout)
    {
    }

    std::vector<PersonSummary> copyArrayOfAllPeople() const override
    {
        struct Copier final : PersonVisitor {
            std::vector<PersonSummary> people;
            void expect(size_t count) override { people.reserve(count); }
            void visit(const PersonSummaryView& p) override
            {
                people.push_back({p.id, std::optional<std::string>(p.first_name),
                                  std::optional<std::string>(p.last_name), p.birthday,
                                  p.has_image});
            }
        } copier;
        if (!visitAllPeople(copier))
            copier.people.clear();
        return std::move(copier.people);
    }

    bool visitAllPeople(PersonVisitor& visitor) const override
    {
        Connection* db = reader();
        if (db == nullptr)
            return true;
        db->forget_failures();
        Statement rows(*db, "SELECT id, first_name, last_name, birthday, has_image FROM Person "
                            "ORDER BY id");
        // A store without its table of persons is an empty book; one held by another program is
        // a read that did not happen.
        if (!rows)
            return !os::sqlite::is_busy(db->first_failure()->code);
        // Knowing the count lets the visitor reserve once, which spares the copies of a growing
        // array, a large share of reading 100,000 persons; SQLite counts rows from its b-tree
        // pages alone.
        if (Statement count(*db, "SELECT count(*) FROM Person");
            count && count.step() == SQLITE_ROW)
            visitor.expect(size_t(std::max<int64_t>(count.integer(0), 0)));
        int status;
        while ((status = rows.step()) == SQLITE_ROW) {
            visitor.visit({RecordID(rows.integer(0)), rows.text_view(1), rows.text_view(2),
                           decode_birthday(rows, 3), rows.integer(4) != 0});
        }
        return status == SQLITE_DONE;
    }

    size_t personCount() const override
    {
        Connection* db = reader();
        if (db == nullptr)
            return 0;
        Statement count(*db, "SELECT count(*) FROM Person");
        if (!count || count.step() != SQLITE_ROW)
            return 0;
        return size_t(count.integer(0));
    }

    std::optional<Person> personWithRecordID(RecordID id) const override
    {
        Connection* db = reader();
        if (db == nullptr)
            return std::nullopt;
        Transaction transaction(*db, Transaction::kDeferred);
        if (!transaction)
            return std::nullopt;
        auto person = read_person(*db, id);
        transaction.commit();
        return person;
    }

    std::vector<uint8_t> copyImageData(RecordID id) const override
    {
        Connection* db = reader();
        if (db == nullptr)
            return {};
        Statement image(*db, "SELECT data FROM PersonImage WHERE person = ?1");
        if (!image || image.bind(1, id).step() != SQLITE_ROW)
            return {};
        return image.blob(0);
    }

    bool save(Person& person) override { return save_all(std::span<Person>(&person, 1)); }

    bool save(std::vector<Person>& persons) override { return save_all(persons); }

    bool remove(RecordID id) override
    {
        return write(false, [&](PersonWriter& writer) { return writer.remove(id); });
    }

    std::optional<Person> edit(RecordID id, const std::function<void(Person&)>& apply) override
    {
        std::optional<Person> edited;
        const bool written = write(false, [&](PersonWriter& writer) {
            edited = read_person(*db_, id);
            if (!edited) {
                // No row, or a read that failed: the failure noted says which.
                if (!db_->first_failure())
                    problem_ = StoreProblem{StoreProblem::kInvalidPerson,
                                            "no person with that identifier"};
                return false;
            }
            apply(*edited);
            edited->id = id;
            return !refuse_invalid(std::span<const Person>(&*edited, 1)) &&
                   writer.write_row(*edited) && writer.write_details(id, *edited);
        });
        if (!written)
            return std::nullopt;
        return edited;
    }

    std::optional<std::vector<Person>> copyAllPersons() const override
    {
        int64_t ignored;
        return read_snapshot(ignored);
    }

    bool change(const std::function<Changes(const std::vector<Person>&)>& plan) override
    {
        int64_t version = 0;
        const auto stored = read_snapshot(version);
        if (!stored)
            return false;
        Changes changes = plan(*stored);
        if (changes.empty())
            return true;
        if (refuse_invalid(changes.saves))
            return false;
        const bool existed = db_.has_value();
        return write(true, [&](PersonWriter& writer) {
            // Another program wrote after the read: plan again on what is there now, which no
            // one can change while this transaction holds the write lock.
            if (!existed || single_integer(*db_, "PRAGMA data_version") != version) {
                auto now = read_all_persons(*db_);
                if (!now)
                    return false;
                changes = plan(*now);
                if (refuse_invalid(changes.saves))
                    return false;
            }
            return apply(writer, changes);
        });
    }

    std::optional<StoreProblem> lastProblem() const override { return problem_; }

private:
    // Every person and the data version they were read at.
    std::optional<std::vector<Person>> read_snapshot(int64_t& version) const
    {
        problem_.reset();
        std::error_code ignored;
        Connection* db = reader();
        if (db == nullptr) {
            if (!std::filesystem::exists(file_, ignored))
                return std::vector<Person>{};
            problem_ = StoreProblem{StoreProblem::kNoAccess, "cannot be opened"};
            return std::nullopt;
        }
        db->forget_failures();
        Transaction transaction(*db, Transaction::kDeferred);
        if (!transaction)
            return fail_read();
        auto persons = read_all_persons(*db);
        if (!persons)
            return fail_read();
        version = single_integer(*db, "PRAGMA data_version").value_or(-1);
        transaction.commit();
        return persons;
    }

    // What went wrong, from the first failure noted; a failure SQLite did not see is a store
    // with tables of another program.
    StoreProblem noted_problem() const
    {
        const auto& failure = db_->first_failure();
        if (!failure)
            return StoreProblem{StoreProblem::kNotAnAddressBook, "tables of another program"};
        return StoreProblem{kind_of(failure->code), failure->message};
    }

    std::nullopt_t fail_read() const
    {
        problem_ = noted_problem();
        return std::nullopt;
    }

    // All rows first, then the photos and multi-values, so that the rows of a large import lie
    // together in the file and the list of all persons reads few pages.
    static bool apply(PersonWriter& writer, Changes& changes)
    {
        for (const RecordID id : changes.removals)
            if (!writer.remove(id))
                return false;
        return write_persons(writer, changes.saves);
    }

    // The identifiers are set only once the transaction has committed.
    static bool write_persons(PersonWriter& writer, std::span<Person> persons,
                              std::vector<RecordID>* ids_out = nullptr)
    {
        std::vector<RecordID> ids;
        ids.reserve(persons.size());
        for (const auto& person : persons) {
            const auto id = writer.write_row(person);
            if (!id)
                return false;
            ids.push_back(*id);
        }
        for (size_t i = 0; i < persons.size(); ++i)
            if (!writer.write_details(ids[i], persons[i]))
                return false;
        if (ids_out)
            *ids_out = std::move(ids);
        return true;
    }

    bool save_all(std::span<Person> persons)
    {
        problem_.reset();
        if (refuse_invalid(persons))
            return false;
        if (persons.empty())
            return true;
        std::vector<RecordID> ids;
        const bool written =
            write(true, [&](PersonWriter& writer) { return write_persons(writer, persons, &ids); });
        if (written)
            for (size_t i = 0; i < persons.size(); ++i)
                persons[i].id = ids[i];
        return written;
    }

    // A handle serves one thread at a time, so its connection needs none of SQLite's locks
    // between threads, which would otherwise be taken and released on every call.
    bool open_connection(int flags) const
    {
        db_.emplace(file_, flags | SQLITE_OPEN_NOMUTEX);
        if (!*db_) {
            const int status = db_->open_status();
            problem_ = StoreProblem{kind_of(status), sqlite3_errstr(status)};
            db_.reset();
            return false;
        }
        db_->wait_for_each_lock(busy_timeout_);
        // Pages read straight from the mapped file, not copied into a page cache of the
        // connection's own: the list of all persons touches every page of the table once.
        db_->exec("PRAGMA mmap_size = 268435456");
        return true;
    }

    // Opening for reading never creates the file. Read-write when allowed, so that a write that
    // a crash interrupted is rolled back before reading.
    Connection* reader() const
    {
        if (!db_ && !open_connection(SQLITE_OPEN_READWRITE))
            open_connection(SQLITE_OPEN_READONLY);
        return db_ ? &*db_ : nullptr;
    }

    Connection* writer(bool create)
    {
        if (db_)
            return &*db_;
        if (!create)
            return reader();
        std::error_code ignored;
        std::filesystem::create_directories(file_.parent_path(), ignored);
        open_connection(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        return db_ ? &*db_ : nullptr;
    }

    template <class Body>
    bool write(bool create, Body&& body)
    {
        problem_.reset();
        Connection* db = writer(create);
        if (db == nullptr) {
            if (!problem_)
                problem_ = StoreProblem{StoreProblem::kNoAccess, "cannot be opened"};
            return false;
        }
        db->forget_failures();
        const auto modified_before = os::file_modification_date(file_);
        Transaction transaction(*db, Transaction::kImmediate);
        if (!transaction)
            return fail_write(false);
        const auto foreign = single_integer(*db, kForeignTables);
        if (!foreign || (*foreign > 0 && !has_table(*db, "Person")))
            return fail_write(false);
        bool done = db->exec(kSchema);
        bool invalid_person = false;
        if (done) {
            PersonWriter person_writer(*db);
            done = person_writer.ready() && body(person_writer);
            invalid_person = person_writer.invalid_person();
        }
        if (!done || !transaction.commit())
            return fail_write(invalid_person);
        advance_modification_date(modified_before);
        return true;
    }

    // True, with the problem noted, when a person holds a date that is no date or a text that
    // is not UTF-8: a person the store holds can always be written out and read back.
    bool refuse_invalid(std::span<const Person> persons) const
    {
        for (const auto& person : persons) {
            std::string reason;
            if (const char* date = invalid_date_field(person))
                reason = std::string(date) + " is no date";
            else if (const char* field = invalid_text_field(person))
                reason = std::string(field) + " is not valid UTF-8";
            if (!reason.empty()) {
                problem_ = StoreProblem{StoreProblem::kInvalidPerson, std::move(reason)};
                return true;
            }
        }
        return false;
    }

    bool fail_write(bool invalid_person) const
    {
        if (invalid_person)
            problem_ = StoreProblem{StoreProblem::kInvalidPerson, "no person with that identifier"};
        else if (!problem_)
            problem_ = noted_problem();
        return false;
    }

    // Another process notices changes by the file's modification date, which the file system
    // keeps only as finely as its clock ticks: two quick writes must still give two dates.
    void advance_modification_date(const std::optional<os::Timestamp>& before) const
    {
        const auto after = os::file_modification_date(file_);
        if (!before || !after || *after > *before)
            return;
        const auto next = (*before + std::chrono::microseconds(1)).time_since_epoch();
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(next);
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {seconds.count(), long((next - seconds).count())}};
        ::utimensat(AT_FDCWD, file_.c_str(), times, 0);
    }

    std::optional<Person> read_person(Connection& db, RecordID id) const
    {
        Statement row(db, "SELECT first_name, last_name, birthday FROM Person WHERE id = ?1");
        if (!row || row.bind(1, id).step() != SQLITE_ROW)
            return std::nullopt;
        Person person;
        person.id = id;
        person.first_name = row.text(0);
        person.last_name = row.text(1);
        person.birthday = decode_birthday(row, 2);
        person.image_data = copyImageData(id);
        Statement values(db, "SELECT property, label, value FROM MultiValue WHERE person = ?1 "
                             "ORDER BY property, position");
        if (!values)
            return std::nullopt;
        values.bind(1, id);
        int status;
        while ((status = values.step()) == SQLITE_ROW)
            take_value(person, values.integer(0), values.text(1).value_or(""),
                       values.text(2).value_or(""));
        if (status != SQLITE_DONE)
            return std::nullopt;
        if (has_table(db, "PersonSource")) {
            Statement source(db, "SELECT uid, synced FROM PersonSource WHERE person = ?1");
            if (!source)
                return std::nullopt;
            if (source.bind(1, id).step() == SQLITE_ROW) {
                person.uid = source.text(0);
                person.synced = source.integer(1) != 0;
            }
        }
        return person;
    }

    std::filesystem::path file_;
    std::chrono::milliseconds busy_timeout_;
    mutable std::optional<Connection> db_;
    mutable std::optional<StoreProblem> problem_;
};

} // namespace

std::filesystem::path AddressBook::device_store_path() { return os::device_path(kDeviceStorePath); }

std::unique_ptr<AddressBook> AddressBook::create() { return open(device_store_path()); }

std::unique_ptr<AddressBook> AddressBook::open(const std::filesystem::path& store_file)
{
    return open(store_file, kDefaultBusyTimeout);
}

std::unique_ptr<AddressBook> AddressBook::open(const std::filesystem::path& store_file,
                                               std::chrono::milliseconds busy_timeout)
{
    return std::make_unique<AddressBookStore>(store_file, busy_timeout);
}

} // namespace ab
