#pragma once
// The agent's process-wide state, each variable with its value at load. The library is built with
// hidden symbols, so these never meet the variables of the same names in the application or the
// home screen.
#include "audio/AudioServices.h"
#include "platform/Clock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Copies of the Settings columns. A flag is on when it holds 1, but for bBadge, which any non-zero
// value turns on.
extern int32_t bBadge;
extern int32_t bSound;
extern int32_t bPopup;
extern int32_t iTimerHour;
extern int32_t iTimerMinute;
extern int32_t iStandby;

extern bool bAlert; // today has birthdays and their alert is still owed
// Who has a birthday today, as last counted ("First Last"), for the alert to name.
extern std::vector<std::string> todaysNames;
extern bool bPlayAlerts; // the normal-mode alert is armed

// The last settings read failed (another program held the file): the ten-second check reads
// them again until one read succeeds.
extern bool bSettingsUnread;

extern platform::Moment dateActive; // a moment of the calendar day last examined
// The moment of the previous minute check; none before the first.
extern std::optional<platform::Moment> dateTicked;
extern std::string nsAddressBookDate; // the address-book file's last seen stamp

// The last alert shown: its calendar day (local) and the set time it was shown for.
struct ShownAlert {
    int year;
    int month;
    int day;
    int32_t hour;
    int32_t minute;
};
// None before the first alert. Kept in the device too (LastAlertRecord.h), so that it outlives
// the process.
extern std::optional<ShownAlert> lastAlert;

extern SystemSoundID soundID;
extern SystemSoundID trickID;

extern const char* const soundPath;
extern const char* const trickPath;
extern const char* const databasePath;

namespace agent {

inline constexpr const char* kApplicationIdentifier = "com.Qarvex.Tortamos";
// The stamp nsAddressBookDate holds at load; no file's stamp ever equals it.
inline constexpr const char* kNoStampYet = "zerado";

} // namespace agent
