#include "DailyCheck.h"

#include "AgentEnvironment.h"
#include "ClockValues.h"
#include "foundation/Device.h"
#include "platform/SqliteColumn.h"

#include <sqlite3.h>

namespace {

// The application may be saving at this moment; wait for its lock rather than miss the read.
constexpr int kBusyTimeoutMs = 3000;

bool before_set_time(const agent::ClockValues& now) {
    return now.hour < iTimerHour || (now.hour == iTimerHour && now.minute < iTimerMinute);
}

} // namespace

void SetConfig() {
    sqlite3* db = nullptr;
    const auto file = os::device_path(databasePath);
    // Writable but never created: a save the application left unfinished is rolled back on open,
    // which a read-only connection cannot do, so it would read nothing until the application ran.
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT bBadge, bSound, bPopup, iTimerHour, iTimerMinute, iStandby "
                           "FROM Settings",
                           -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            bBadge = platform::column_int32(statement, 0);
            bSound = platform::column_int32(statement, 1);
            bPopup = platform::column_int32(statement, 2);
            iTimerHour = platform::column_int32(statement, 3);
            iTimerMinute = platform::column_int32(statement, 4);
            iStandby = platform::column_int32(statement, 5);
            const auto now = agent::clock_values(agent::environment().clock->now());
            // Moving the time later, or a clock put back before it, arms no second alert today.
            if (before_set_time(now) && !alertShownOnDayOf(now)) bPlayAlerts = true;
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
}
