#pragma once
// The last alert, kept in the device: a home screen started again the same day (a new login, a
// crash) must not alert a second time for a set time it already alerted, while a day whose alert
// no home screen was running to show still gets it at the first check after the start.
namespace agent {

// One line, "YYYY-MM-DD HH:MM": the day the alert was shown and the set time it was shown for.
inline constexpr const char* kLastAlertPath = "/var/mobile/Library/Tortamos/LastAlert";

// Writes lastAlert, whole or not at all. A device that cannot keep it (read-only, full) is told
// in the log; the alert stays remembered for the life of the process.
void keep_last_alert();

// At the home screen's launch: takes the kept alert as lastAlert and arms the normal-mode alert
// unless it was shown today, as a new day does for a home screen that never stopped (SetConfig,
// run after it, arms again for a set time still ahead). A missing or unreadable record is no
// alert shown.
void recall_last_alert();

} // namespace agent
