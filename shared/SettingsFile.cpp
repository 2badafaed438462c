#include "shared/SettingsFile.h"

#include "foundation/Device.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace tortamos::settings_file {
namespace {

std::chrono::milliseconds g_busy_timeout = kBusyTimeout;

// One connection to the settings file for the length of one operation. Never creates the file;
// waits for locks held by the other process up to the busy timeout in all. SQLite's own timeout
// starts again at each lock a statement needs (to read the layout, to write, to commit), so one
// operation could keep the main thread waiting several times over.
class Connection {
public:
    Connection() : deadline_(std::chrono::steady_clock::now() + g_busy_timeout) {
        const std::string path = os::device_path(kPath).string();
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
            return;
        }
        sqlite3_busy_handler(db_, &Connection::wait_for_lock, this);
    }
    ~Connection() { sqlite3_close(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    explicit operator bool() const { return db_ != nullptr; }

    // A prepared statement, or nullptr when it does not prepare.
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement);
            return nullptr;
        }
        return statement;
    }

    int error() const { return sqlite3_errcode(db_); }
    // Rows the last statement changed.
    int changes() { return sqlite3_changes(db_); }

    bool execute(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    bool prepares(const char* sql) {
        sqlite3_stmt* statement = prepare(sql);
        sqlite3_finalize(statement);
        return statement != nullptr;
    }

    // The probe is prepared, never stepped.
    bool has_current_layout() { return prepares("SELECT bHideSigno FROM Settings"); }

private:
    // SQLite's busy handler: nonzero to try the lock again.
    static int wait_for_lock(void* connection, int /*attempts*/) {
        using namespace std::chrono;
        const auto left = static_cast<Connection*>(connection)->deadline_ - steady_clock::now();
        if (left <= steady_clock::duration::zero()) return 0;
        std::this_thread::sleep_for(std::min<steady_clock::duration>(left, 10ms));
        return 1;
    }

    std::chrono::steady_clock::time_point deadline_;
    sqlite3* db_ = nullptr;
};

// A failure because another program held the file past the busy timeout.
bool held_by_another(int code) {
    return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED;
}

constexpr const char* kColumnNames[] = {"bBadge", "bHideAge",   "bHideSigno",   "bSound",
                                        "bPopup", "iTimerHour", "iTimerMinute", "iStandby"};

const char* name(Column column) { return kColumnNames[static_cast<int>(column)]; }

// The one place a stored value becomes a setting's value. The file may hold any 64-bit value; one
// beyond the 32-bit range saturates at its nearest end instead of losing its high bits, so every
// test the programs make of a setting (zero or not, exactly 1 or not, before or after an hour or a
// minute) comes out as it would with the value the file holds: 2^32 stays "not zero" and "not 1",
// where its low 32 bits alone would read 0, and 2^32 + 1 would read 1.
int32_t read_value(sqlite3_stmt* statement, int column) {
    return static_cast<int32_t>(std::clamp<sqlite3_int64>(sqlite3_column_int64(statement, column),
                                                          std::numeric_limits<int32_t>::min(),
                                                          std::numeric_limits<int32_t>::max()));
}

constexpr const char* kUpgrade[] = {
    "ALTER TABLE Settings ADD COLUMN bHideSigno INTEGER",
    "ALTER TABLE Settings ADD COLUMN bPopup INTEGER",
    "ALTER TABLE Settings ADD COLUMN bSound INTEGER",
    "ALTER TABLE Settings ADD COLUMN iTimerHour INTEGER",
    "ALTER TABLE Settings ADD COLUMN iTimerMinute INTEGER",
    "ALTER TABLE Settings ADD COLUMN iStandby INTEGER",
    "UPDATE Settings SET iTimerHour=11, iTimerMinute=0, bHideSigno=0, bPopup=1, bSound=1, iStandby=0",
};

} // namespace

std::chrono::milliseconds busyTimeout() { return g_busy_timeout; }

void setBusyTimeout(std::chrono::milliseconds timeout) { g_busy_timeout = timeout; }

bool readRows(std::span<const Column> columns,
              const std::function<void(std::span<const int32_t> values)>& row) {
    std::string query = "SELECT ";
    for (size_t i = 0; i < columns.size(); ++i) query += (i ? ", " : "") + std::string(name(columns[i]));
    query += " FROM Settings";

    Connection db;
    if (!db) return true;
    sqlite3_stmt* statement = db.prepare(query.c_str());
    if (statement == nullptr) return !held_by_another(db.error());
    std::vector<int32_t> values(columns.size());
    int status;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        for (size_t i = 0; i < values.size(); ++i) values[i] = read_value(statement, static_cast<int>(i));
        row(values);
    }
    sqlite3_finalize(statement);
    return !held_by_another(status);
}

bool writeAll(const Values& values) {
    Connection db;
    if (!db) return false;
    sqlite3_stmt* statement = db.prepare(
        "UPDATE Settings SET bBadge=?, bHideAge=?, bHideSigno=?, bSound=?, bPopup=?, iTimerHour=?, "
        "iTimerMinute=?, iStandby=?");
    if (statement == nullptr) return false;
    const int32_t in_order[] = {values.bBadge,  values.bHideAge,   values.bHideSigno,
                                values.bSound,  values.bPopup,     values.iTimerHour,
                                values.iTimerMinute, values.iStandby};
    for (int i = 0; i < 8; ++i) sqlite3_bind_int(statement, i + 1, in_order[i]);
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return done && db.changes() > 0;
}

void upgrade() {
    Connection db;
    if (!db || db.has_current_layout()) return;
    // Without a Settings table, or without a database at all, no upgrade statement prepares.
    // Stopping before the transaction keeps such a file as it is: committing even an empty
    // transaction would turn an empty file into a database.
    if (!db.prepares(kUpgrade[0])) return;

    // All or nothing: a statement that does not prepare is skipped, but one that fails while it
    // runs (a lock held too long, a full disk) or a commit that fails undoes the whole upgrade.
    if (!db.execute("BEGIN IMMEDIATE")) return;
    if (db.has_current_layout()) { // another process upgraded it meanwhile
        db.execute("ROLLBACK");
        return;
    }
    for (const char* sql : kUpgrade) {
        sqlite3_stmt* statement = db.prepare(sql);
        if (statement == nullptr) continue;
        const int result = sqlite3_step(statement);
        sqlite3_finalize(statement);
        if (result != SQLITE_DONE && result != SQLITE_ROW) {
            db.execute("ROLLBACK");
            return;
        }
    }
    if (!db.execute("COMMIT")) db.execute("ROLLBACK");
}

} // namespace tortamos::settings_file
