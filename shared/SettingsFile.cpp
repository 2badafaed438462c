#include "shared/SettingsFile.h"

#include "foundation/Device.h"
#include "sqlite/Database.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace tortamos::settings_file {
namespace {

std::chrono::milliseconds g_busy_timeout = kBusyTimeout;

// One connection to the settings file for the length of one operation. Never creates the file;
// waits for locks held by the other process up to the busy timeout in all. SQLite's own timeout
// starts again at each lock a statement needs (to read the layout, to write, to commit), so one
// operation could keep the main thread waiting several times over.
class Connection : public os::sqlite::Connection {
public:
    Connection() : os::sqlite::Connection(os::device_path(kPath), SQLITE_OPEN_READWRITE)
    {
        if (*this)
            wait_for_locks_until(std::chrono::steady_clock::now() + g_busy_timeout);
    }

    bool prepares(const char* sql) { return bool(os::sqlite::Statement(*this, sql)); }

    // The probe is prepared, never stepped.
    bool has_current_layout() { return prepares("SELECT bHideSigno FROM Settings"); }
};

constexpr const char* kColumnNames[] = {"bBadge", "bHideAge",   "bHideSigno",   "bSound",
                                        "bPopup", "iTimerHour", "iTimerMinute", "iStandby"};

const char* name(Column column) { return kColumnNames[static_cast<int>(column)]; }

// The one place a stored value becomes a setting's value. The file may hold any 64-bit value; one
// beyond the 32-bit range saturates at its nearest end instead of losing its high bits, so every
// test the programs make of a setting (zero or not, exactly 1 or not, before or after an hour or a
// minute) comes out as it would with the value the file holds: 2^32 stays "not zero" and "not 1",
// where its low 32 bits alone would read 0, and 2^32 + 1 would read 1.
int32_t read_value(const os::sqlite::Statement& row, int column)
{
    return static_cast<int32_t>(std::clamp<int64_t>(row.integer(column),
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
    "UPDATE Settings SET iTimerHour=11, iTimerMinute=0, bHideSigno=0, bPopup=1, bSound=1, "
    "iStandby=0",
};

} // namespace

std::chrono::milliseconds busyTimeout() { return g_busy_timeout; }

void setBusyTimeout(std::chrono::milliseconds timeout) { g_busy_timeout = timeout; }

bool readRows(std::span<const Column> columns,
              const std::function<void(std::span<const int32_t> values)>& row)
{
    std::string query = "SELECT ";
    for (size_t i = 0; i < columns.size(); ++i)
        query += (i ? ", " : "") + std::string(name(columns[i]));
    query += " FROM Settings";

    Connection db;
    if (!db)
        return true;
    os::sqlite::Statement statement(db, query.c_str());
    // Only a file another program held is a failed read; a missing column is an answer.
    if (!statement)
        return !os::sqlite::is_busy(db.first_failure()->code);
    std::vector<int32_t> values(columns.size());
    int status;
    while ((status = statement.step()) == SQLITE_ROW) {
        for (size_t i = 0; i < values.size(); ++i)
            values[i] = read_value(statement, static_cast<int>(i));
        row(values);
    }
    return !os::sqlite::is_busy(status);
}

bool writeAll(const Values& values)
{
    Connection db;
    if (!db)
        return false;
    os::sqlite::Statement statement(
        db,
        "UPDATE Settings SET bBadge=?, bHideAge=?, bHideSigno=?, bSound=?, bPopup=?, iTimerHour=?, "
        "iTimerMinute=?, iStandby=?");
    if (!statement)
        return false;
    const int32_t in_order[] = {values.bBadge,       values.bHideAge, values.bHideSigno,
                                values.bSound,       values.bPopup,   values.iTimerHour,
                                values.iTimerMinute, values.iStandby};
    for (int i = 0; i < 8; ++i)
        statement.bind(i + 1, int64_t{in_order[i]});
    return statement.run() && db.changes() > 0;
}

void upgrade()
{
    Connection db;
    if (!db || db.has_current_layout())
        return;
    // Without a Settings table, or without a database at all, no upgrade statement prepares.
    // Stopping before the transaction keeps such a file as it is: committing even an empty
    // transaction would turn an empty file into a database.
    if (!db.prepares(kUpgrade[0]))
        return;

    // All or nothing: a statement that does not prepare is skipped, but one that fails while it
    // runs (a lock held too long, a full disk) or a commit that fails undoes the whole upgrade.
    os::sqlite::Transaction transaction(db, os::sqlite::Transaction::kImmediate);
    if (!transaction)
        return;
    if (db.has_current_layout())
        return; // another process upgraded it meanwhile
    for (const char* sql : kUpgrade) {
        os::sqlite::Statement statement(db, sql);
        if (!statement)
            continue;
        const int result = statement.step();
        if (result != SQLITE_DONE && result != SQLITE_ROW)
            return;
    }
    transaction.commit();
}

} // namespace tortamos::settings_file
