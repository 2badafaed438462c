#pragma once
// The user's choices, kept in the single-row table Settings of one SQLite file that the
// application reads and writes and the home-screen agent reads. Every operation opens the file,
// runs its statements and closes it again; SQLite's file locking is the only coordination between
// the two processes. Failures are silent: a file that cannot be opened or a statement that cannot
// be prepared leaves the values as they were. The programs never create the file.
#include <chrono>
#include <cstdint>

// The settings of the application, 0 at program start. A flag is on when it holds 1.
extern int32_t bBadge;
extern int32_t bHideAge;
extern int32_t bHideSigno;
extern int32_t bSound;
extern int32_t bPopup;
extern int32_t bStandby; // column iStandby
extern int32_t iTimerHour;
extern int32_t iTimerMinute;

namespace settings {

// A device path (resolved under the device root).
inline constexpr const char* kDatabasePath = "/var/mobile/Library/Tortamos/birthdays.sql";
// The notice that tells the agent to read the settings again.
inline constexpr const char* kChangeNotice = "kTortamosBadge";

// Brings a file of the older layout (without bHideSigno, bPopup, bSound, iTimerHour,
// iTimerMinute, iStandby) up to the current one, with the defaults 11:00, sign shown, pop-up and
// sound on, stand-by off. All or nothing: an interruption leaves the older layout.
void updateDatabase();

// Logs "initializeDatabase..." and loads bBadge, bHideAge, bHideSigno.
void loadListSettings();

// Loads all eight values.
void loadAllSettings();

// Writes all eight values into every row.
void saveAllSettings();

// How long a connection waits for a lock held by another process before it gives up.
std::chrono::milliseconds busyTimeout();
void setBusyTimeout(std::chrono::milliseconds timeout);

} // namespace settings
