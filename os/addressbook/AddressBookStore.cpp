#include "addressbook/AddressBook.h"

#include "foundation/Device.h"
#include "foundation/FileAttributes.h"

#include <sqlite3.h>

#include <algorithm>
#include <fcntl.h>
#include <limits>
#include <span>
#include <sys/stat.h>

namespace ab {
namespace {

// Photos and multi-values live in their own tables so that the list of all persons scans only
// small rows; has_image spares that scan a look into the photo table.
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
)sql";

enum Property { kPhone = 1, kEmail = 2 };

struct ConnectionCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return stmt_ != nullptr; }

    Statement& bind(int index, int64_t value) {
        sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }
    // Texts and bytes are bound without a copy: they must outlive the statement's next run.
    Statement& bind(int index, const std::string& text) {
        sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8);
        return *this;
    }
    Statement& bind(int index, const std::optional<std::string>& text) {
        if (text) return bind(index, *text);
        sqlite3_bind_null(stmt_, index);
        return *this;
    }
    Statement& bind(int index, const std::vector<uint8_t>& bytes) {
        sqlite3_bind_blob64(stmt_, index, bytes.data(), bytes.size(), SQLITE_STATIC);
        return *this;
    }

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return sqlite3_step(stmt_); }
    // Runs a statement that returns no rows and makes it ready for new bindings.
    bool run() {
        const bool done = sqlite3_step(stmt_) == SQLITE_DONE;
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        return done;
    }

    int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    bool is_null(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
    std::optional<std::string> text(int column) const {
        if (is_null(column)) return std::nullopt;
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return std::string(data ? data : "", size_t(sqlite3_column_bytes(stmt_, column)));
    }
    // The values of a column as they lie in the current row, valid until the next step: one call
    // into the statement per column, then questions to its value alone.
    std::optional<std::string_view> text_view(int column) const {
        sqlite3_value* value = sqlite3_column_value(stmt_, column);
        if (sqlite3_value_type(value) == SQLITE_NULL) return std::nullopt;
        const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
        if (data == nullptr) return std::string_view();
        return std::string_view(data, size_t(sqlite3_value_bytes(value)));
    }
    std::optional<int64_t> optional_integer(int column) const {
        sqlite3_value* value = sqlite3_column_value(stmt_, column);
        if (sqlite3_value_type(value) == SQLITE_NULL) return std::nullopt;
        return sqlite3_value_int64(value);
    }
    std::vector<uint8_t> blob(int column) const {
        const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
        return {data, data + sqlite3_column_bytes(stmt_, column)};
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<int64_t> encode(const std::optional<CivilDate>& date) {
    if (!date) return std::nullopt;
    return int64_t(date->year) * 10000 + date->month * 100 + date->day;
}

// A value that some other writer left invalid reads as no birthday.
std::optional<CivilDate> decode_birthday(const Statement& row, int column) {
    const std::optional<int64_t> stored = row.optional_integer(column);
    if (!stored) return std::nullopt;
    const int64_t value = *stored;
    if (value < 0 || value > 99991231) return std::nullopt;
    const CivilDate date{int(value / 10000), int(value / 100 % 100), int(value % 100)};
    if (!is_valid_birthday(date)) return std::nullopt;
    return date;
}

// The statements one write transaction uses, prepared once however many persons it saves.
class PersonWriter {
public:
    explicit PersonWriter(sqlite3* db)
        : db_(db),
          insert_person_(db, "INSERT INTO Person (first_name, last_name, birthday, has_image) "
                             "VALUES (?1, ?2, ?3, ?4)"),
          update_person_(db, "UPDATE Person SET first_name = ?1, last_name = ?2, birthday = ?3, "
                             "has_image = ?4 WHERE id = ?5"),
          delete_image_(db, "DELETE FROM PersonImage WHERE person = ?1"),
          insert_image_(db, "INSERT INTO PersonImage (person, data) VALUES (?1, ?2)"),
          delete_values_(db, "DELETE FROM MultiValue WHERE person = ?1"),
          insert_value_(db, "INSERT INTO MultiValue (person, property, position, label, value) "
                            "VALUES (?1, ?2, ?3, ?4, ?5)") {}

    bool ready() const {
        return insert_person_ && update_person_ && delete_image_ && insert_image_ &&
               delete_values_ && insert_value_;
    }

    // Writes the person's own row; the identifier it has in the store, or nullopt on failure.
    std::optional<RecordID> write_row(const Person& person) {
        if (person.id == kInvalidRecordID) {
            bind_fields(insert_person_, person);
            if (!insert_person_.run()) return std::nullopt;
            const int64_t new_id = sqlite3_last_insert_rowid(db_);
            if (new_id <= 0 || new_id > std::numeric_limits<RecordID>::max()) return std::nullopt;
            return RecordID(new_id);
        }
        if (person.id <= 0) return std::nullopt;
        bind_fields(update_person_, person).bind(5, person.id);
        if (!update_person_.run() || sqlite3_changes(db_) != 1) return std::nullopt;
        return person.id;
    }

    // Replaces the photo and the multi-values kept under the identifier.
    bool write_details(RecordID id, const Person& person) {
        if (!delete_image_.bind(1, id).run() || !delete_values_.bind(1, id).run()) return false;
        if (!person.image_data.empty() &&
            !insert_image_.bind(1, id).bind(2, person.image_data).run())
            return false;
        return write_values(id, kPhone, person.phones) && write_values(id, kEmail, person.emails);
    }

    bool remove(RecordID id) {
        Statement remove_person(db_, "DELETE FROM Person WHERE id = ?1");
        if (!remove_person || !remove_person.bind(1, id).run() || sqlite3_changes(db_) != 1)
            return false;
        return delete_image_.bind(1, id).run() && delete_values_.bind(1, id).run();
    }

private:
    Statement& bind_fields(Statement& statement, const Person& person) {
        const auto birthday = encode(person.birthday);
        statement.bind(1, person.first_name).bind(2, person.last_name);
        if (birthday) statement.bind(3, *birthday);
        return statement.bind(4, person.image_data.empty() ? 0 : 1);
    }

    bool write_values(RecordID id, Property property, const std::vector<LabeledValue>& values) {
        for (size_t position = 0; position < values.size(); ++position) {
            const auto& item = values[position];
            insert_value_.bind(1, id).bind(2, property).bind(3, int64_t(position));
            insert_value_.bind(4, item.label).bind(5, item.value);
            if (!insert_value_.run()) return false;
        }
        return true;
    }

    sqlite3* db_;
    Statement insert_person_, update_person_, delete_image_, insert_image_, delete_values_,
        insert_value_;
};

class AddressBookStore final : public AddressBook {
public:
    AddressBookStore(std::filesystem::path file, std::chrono::milliseconds busy_timeout)
        : file_(std::move(file)), busy_timeout_(busy_timeout) {}

    std::vector<PersonSummary> copyArrayOfAllPeople() const override {
        struct Copier final : PersonVisitor {
            std::vector<PersonSummary> people;
            void expect(size_t count) override { people.reserve(count); }
            void visit(const PersonSummaryView& p) override {
                people.push_back({p.id, std::optional<std::string>(p.first_name),
                                  std::optional<std::string>(p.last_name), p.birthday,
                                  p.has_image});
            }
        } copier;
        if (!visitAllPeople(copier)) copier.people.clear();
        return std::move(copier.people);
    }

    bool visitAllPeople(PersonVisitor& visitor) const override {
        sqlite3* db = reader();
        if (db == nullptr) return true;
        Statement rows(db, "SELECT id, first_name, last_name, birthday, has_image FROM Person "
                           "ORDER BY id");
        if (!rows) return true;
        // Knowing the count lets the visitor reserve once, which spares the copies of a growing
        // array, a large share of reading 100,000 persons; SQLite counts rows from its b-tree
        // pages alone.
        if (Statement count(db, "SELECT count(*) FROM Person"); count && count.step() == SQLITE_ROW)
            visitor.expect(size_t(std::max<int64_t>(count.integer(0), 0)));
        int status;
        while ((status = rows.step()) == SQLITE_ROW) {
            visitor.visit({RecordID(rows.integer(0)), rows.text_view(1), rows.text_view(2),
                           decode_birthday(rows, 3), rows.integer(4) != 0});
        }
        return status == SQLITE_DONE;
    }

    size_t personCount() const override {
        sqlite3* db = reader();
        if (db == nullptr) return 0;
        Statement count(db, "SELECT count(*) FROM Person");
        if (!count || count.step() != SQLITE_ROW) return 0;
        return size_t(count.integer(0));
    }

    std::optional<Person> personWithRecordID(RecordID id) const override {
        sqlite3* db = reader();
        if (db == nullptr || !exec(db, "BEGIN")) return std::nullopt;
        auto person = read_person(db, id);
        exec(db, "COMMIT");
        return person;
    }

    std::vector<uint8_t> copyImageData(RecordID id) const override {
        sqlite3* db = reader();
        if (db == nullptr) return {};
        Statement image(db, "SELECT data FROM PersonImage WHERE person = ?1");
        if (!image || image.bind(1, id).step() != SQLITE_ROW) return {};
        return image.blob(0);
    }

    bool save(Person& person) override { return save_all(std::span<Person>(&person, 1)); }

    bool save(std::vector<Person>& persons) override { return save_all(persons); }

    bool remove(RecordID id) override {
        return write(false, [&](PersonWriter& writer) { return writer.remove(id); });
    }

private:
    // All rows first, then the photos and multi-values, so that the rows of a large import lie
    // together in the file and the list of all persons reads few pages.
    bool save_all(std::span<Person> persons) {
        for (const auto& person : persons)
            if (person.birthday && !is_valid_birthday(*person.birthday)) return false;
        if (persons.empty()) return true;
        std::vector<RecordID> ids;
        ids.reserve(persons.size());
        const bool written = write(true, [&](PersonWriter& writer) {
            for (const auto& person : persons) {
                const auto id = writer.write_row(person);
                if (!id) return false;
                ids.push_back(*id);
            }
            for (size_t i = 0; i < persons.size(); ++i)
                if (!writer.write_details(ids[i], persons[i])) return false;
            return true;
        });
        if (written)
            for (size_t i = 0; i < persons.size(); ++i) persons[i].id = ids[i];
        return written;
    }

    // A handle serves one thread at a time, so its connection needs none of SQLite's locks
    // between threads, which would otherwise be taken and released on every call.
    bool open_connection(int flags) const {
        sqlite3* db = nullptr;
        const int status =
            sqlite3_open_v2(file_.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        Connection connection(db);
        if (status != SQLITE_OK) return false;
        sqlite3_busy_timeout(db, int(busy_timeout_.count()));
        // Pages read straight from the mapped file, not copied into a page cache of the
        // connection's own: the list of all persons touches every page of the table once.
        exec(db, "PRAGMA mmap_size = 268435456");
        db_ = std::move(connection);
        return true;
    }

    // Opening for reading never creates the file. Read-write when allowed, so that a write that
    // a crash interrupted is rolled back before reading.
    sqlite3* reader() const {
        if (!db_ && !open_connection(SQLITE_OPEN_READWRITE)) open_connection(SQLITE_OPEN_READONLY);
        return db_.get();
    }

    sqlite3* writer(bool create) {
        if (db_) return db_.get();
        if (!create) return reader();
        std::error_code ignored;
        std::filesystem::create_directories(file_.parent_path(), ignored);
        open_connection(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        return db_.get();
    }

    template <class Body> bool write(bool create, Body&& body) {
        sqlite3* db = writer(create);
        if (db == nullptr) return false;
        const auto modified_before = os::file_modification_date(file_);
        if (!exec(db, "BEGIN IMMEDIATE")) return false;
        bool done = exec(db, kSchema);
        if (done) {
            PersonWriter person_writer(db);
            done = person_writer.ready() && body(person_writer);
        }
        if (!done || !exec(db, "COMMIT")) {
            exec(db, "ROLLBACK");
            return false;
        }
        advance_modification_date(modified_before);
        return true;
    }

    // Another process notices changes by the file's modification date, which the file system
    // keeps only as finely as its clock ticks: two quick writes must still give two dates.
    void advance_modification_date(const std::optional<os::Timestamp>& before) const {
        const auto after = os::file_modification_date(file_);
        if (!before || !after || *after > *before) return;
        const auto next = (*before + std::chrono::microseconds(1)).time_since_epoch();
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(next);
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {seconds.count(), long((next - seconds).count())}};
        ::utimensat(AT_FDCWD, file_.c_str(), times, 0);
    }

    std::optional<Person> read_person(sqlite3* db, RecordID id) const {
        Statement row(db, "SELECT first_name, last_name, birthday FROM Person WHERE id = ?1");
        if (!row || row.bind(1, id).step() != SQLITE_ROW) return std::nullopt;
        Person person;
        person.id = id;
        person.first_name = row.text(0);
        person.last_name = row.text(1);
        person.birthday = decode_birthday(row, 2);
        person.image_data = copyImageData(id);
        Statement values(db, "SELECT property, label, value FROM MultiValue WHERE person = ?1 "
                             "ORDER BY property, position");
        if (!values) return std::nullopt;
        values.bind(1, id);
        int status;
        while ((status = values.step()) == SQLITE_ROW) {
            const auto property = values.integer(0);
            LabeledValue item{values.text(1).value_or(""), values.text(2).value_or("")};
            if (property == kPhone) person.phones.push_back(std::move(item));
            else if (property == kEmail) person.emails.push_back(std::move(item));
        }
        if (status != SQLITE_DONE) return std::nullopt;
        return person;
    }

    std::filesystem::path file_;
    std::chrono::milliseconds busy_timeout_;
    mutable Connection db_;
};

} // namespace

std::filesystem::path AddressBook::device_store_path() {
    return os::device_path("/var/mobile/Library/AddressBook/AddressBook.sqlitedb");
}

std::unique_ptr<AddressBook> AddressBook::create() { return open(device_store_path()); }

std::unique_ptr<AddressBook> AddressBook::open(const std::filesystem::path& store_file) {
    return open(store_file, kDefaultBusyTimeout);
}

std::unique_ptr<AddressBook> AddressBook::open(const std::filesystem::path& store_file,
                                               std::chrono::milliseconds busy_timeout) {
    return std::make_unique<AddressBookStore>(store_file, busy_timeout);
}

} // namespace ab
