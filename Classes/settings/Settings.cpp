#include "Settings.h"

#include "foundation/Device.h"
#include "foundation/Log.h"
#include "platform/SqliteColumn.h"

#include <sqlite3.h>

#include <array>

int32_t bBadge = 0;
int32_t bHideAge = 0;
int32_t bHideSigno = 0;
int32_t bSound = 0;
int32_t bPopup = 0;
int32_t bStandby = 0;
int32_t iTimerHour = 0;
int32_t iTimerMinute = 0;

namespace settings {
namespace {

std::chrono::milliseconds g_busy_timeout{5000};

// One connection to the settings file for the length of one operation. Never creates the file;
// waits for a lock held by the other process up to the busy timeout.
class Connection {
public:
    Connection() {
        const std::string path = os::device_path(kDatabasePath).string();
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
            return;
        }
        sqlite3_busy_timeout(db_, static_cast<int>(g_busy_timeout.count()));
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

    bool execute(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    bool prepares(const char* sql) {
        sqlite3_stmt* statement = prepare(sql);
        sqlite3_finalize(statement);
        return statement != nullptr;
    }

    // The probe is prepared, never stepped.
    bool has_current_layout() { return prepares("SELECT bHideSigno FROM Settings"); }

private:
    sqlite3* db_ = nullptr;
};

// Runs a query and, for every row, stores its columns in order into the given variables.
template <size_t N>
void load(const char* query, const std::array<int32_t*, N>& variables) {
    Connection db;
    if (!db) return;
    sqlite3_stmt* statement = db.prepare(query);
    if (statement == nullptr) return;
    while (sqlite3_step(statement) == SQLITE_ROW)
        for (size_t column = 0; column < N; ++column)
            *variables[column] = platform::column_int32(statement, static_cast<int>(column));
    sqlite3_finalize(statement);
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

void updateDatabase() {
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

void loadListSettings() {
    NSLog("initializeDatabase...");
    load("SELECT bBadge, bHideAge, bHideSigno FROM Settings",
         std::array{&bBadge, &bHideAge, &bHideSigno});
}

void loadAllSettings() {
    load("SELECT bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, iStandby "
         "FROM Settings",
         std::array{&bBadge, &bHideAge, &bHideSigno, &bSound, &bPopup, &iTimerHour, &iTimerMinute,
                    &bStandby});
}

void saveAllSettings() {
    Connection db;
    if (!db) return;
    sqlite3_stmt* statement = db.prepare(
        "UPDATE Settings SET bBadge=?, bHideAge=?, bHideSigno=?, bSound=?, bPopup=?, iTimerHour=?, "
        "iTimerMinute=?, iStandby=?");
    if (statement == nullptr) return;
    const int32_t values[] = {bBadge, bHideAge, bHideSigno, bSound,
                              bPopup, iTimerHour, iTimerMinute, bStandby};
    for (int i = 0; i < 8; ++i) sqlite3_bind_int(statement, i + 1, values[i]);
    sqlite3_step(statement);
    sqlite3_finalize(statement);
}

std::chrono::milliseconds busyTimeout() { return g_busy_timeout; }

void setBusyTimeout(std::chrono::milliseconds timeout) { g_busy_timeout = timeout; }

} // namespace settings
