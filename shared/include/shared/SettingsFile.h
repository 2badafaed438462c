#pragma once
// The settings file: the single-row table Settings of one SQLite file that the application reads
// and writes and the home-screen agent reads. Every operation opens the file, runs its statement
// and closes it again; SQLite's file locking is the only coordination between the two processes.
// The file is opened writable but never created, so a save the other process left unfinished is
// rolled back on open. Failures are silent: a file that cannot be opened or a statement that does
// not prepare leaves the caller's values as they were.
//
// The values themselves live with each caller (the application's and the agent's own process-wide
// variables); this module only moves them between those and the file.
#include <chrono>
#include <cstdint>
#include <functional>
#include <span>

namespace tortamos::settings_file {

// A device path (resolved under the device root).
inline constexpr const char* kPath = "/var/mobile/Library/Tortamos/birthdays.sql";

// How long one operation waits, in all, for locks held by another process before it gives up.
// Both processes wait on their main thread, so this bounds how long a screen can freeze; a
// settings statement holds its lock for milliseconds, so three seconds cover any real contention.
inline constexpr std::chrono::milliseconds kBusyTimeout{3000};
std::chrono::milliseconds busyTimeout();
// For tests that hold a lock on purpose.
void setBusyTimeout(std::chrono::milliseconds timeout);

// The columns of the current layout. An older file has only bBadge and bHideAge.
enum class Column {
    bBadge,
    bHideAge,
    bHideSigno,
    bSound,
    bPopup,
    iTimerHour,
    iTimerMinute,
    iStandby
};

// Selects the columns from every row and calls `row` with each row's values, in the order of
// `columns`. No call when the file cannot be opened or a column is missing. False when another
// program held the file past the busy timeout: that read failed and may succeed later, where a
// missing file, an older layout or an empty table is an answer of its own (true).
bool readRows(std::span<const Column> columns,
              const std::function<void(std::span<const int32_t> values)>& row);

// All eight values, in the order of Column.
struct Values {
    int32_t bBadge = 0;
    int32_t bHideAge = 0;
    int32_t bHideSigno = 0;
    int32_t bSound = 0;
    int32_t bPopup = 0;
    int32_t iTimerHour = 0;
    int32_t iTimerMinute = 0;
    int32_t iStandby = 0;
};

// Writes all eight values into every row. False when nothing was written: the file cannot be
// opened or written (a read-only device), another program held it past the busy timeout, or it
// has no row to write into.
[[nodiscard]] bool writeAll(const Values& values);

// Brings a file of the older layout (without bHideSigno, bPopup, bSound, iTimerHour,
// iTimerMinute, iStandby) up to the current one, with the defaults 11:00, sign shown, pop-up and
// sound on, stand-by off. All or nothing: an interruption leaves the older layout.
void upgrade();

} // namespace tortamos::settings_file
