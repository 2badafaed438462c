#include "AgentState.h"

#include "shared/DeviceNames.h"
#include "shared/SettingsFile.h"

int32_t bBadge = 0;
int32_t bSound = 0;
int32_t bPopup = 0;
int32_t iTimerHour = 0;
int32_t iTimerMinute = 0;
int32_t iStandby = 0;

bool bAlert = false;
std::vector<std::string> todaysNames;
bool bPlayAlerts = true;

bool bSettingsUnread = false;

platform::Moment dateActive = platform::system_clock().now();
std::optional<platform::Moment> dateTicked;
std::optional<ShownAlert> lastAlert;
std::string nsAddressBookDate = agent::kNoStampYet;

SystemSoundID soundID = 0;
SystemSoundID trickID = 0;

const char* const soundPath = tortamos::kAlertSoundPath;
const char* const trickPath = tortamos::kTickSoundPath;
const char* const databasePath = tortamos::settings_file::kPath;
