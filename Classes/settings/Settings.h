#pragma once
// The application's settings: its own process-wide copies of the values in the settings file
// (shared/SettingsFile.h), and the operations that move them between those and the file.
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

// Brings a file of the older layout up to the current one (settings_file::upgrade).
void updateDatabase();

// Logs "initializeDatabase..." and loads bBadge, bHideAge, bHideSigno.
void loadListSettings();

// Loads all eight values; false when another program held the file past the busy timeout, and
// the values are then not the stored ones (saving them would overwrite the user's settings).
bool loadAllSettings();

// Writes all eight values into every row; false when nothing was written.
[[nodiscard]] bool saveAllSettings();

} // namespace settings
