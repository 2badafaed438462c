#include "AgentState.h"

int32_t bBadge = 0;
int32_t bSound = 0;
int32_t bPopup = 0;
int32_t iTimerHour = 0;
int32_t iTimerMinute = 0;
int32_t iStandby = 0;

bool bAlert = false;
bool bPlayAlerts = true;

platform::Moment dateActive = platform::system_clock().now();
std::optional<platform::Moment> dateAlerted;
std::string nsAddressBookDate = agent::kNoStampYet;

SystemSoundID soundID = 0;
SystemSoundID trickID = 0;

const char* const soundPath = "/var/mobile/Library/Tortamos/birthday.wav";
const char* const trickPath = "/var/mobile/Library/Tortamos/trick.aif";
const char* const databasePath = "/var/mobile/Library/Tortamos/birthdays.sql";
