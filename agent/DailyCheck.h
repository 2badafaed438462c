#pragma once
// The daily check of the home-screen agent: the badge of today's birthdays on the application's
// icon, the daily alert at the set time, the stand-by sound. Runs on the home screen's main thread
// only, driven by two timers and the change notice, against agent::environment().
#include "AgentState.h"

// Reads the six settings; arms the normal-mode alert when the set time of day is still ahead.
// Never writes the settings file and never creates it.
void SetConfig();

// Counts the persons whose birthday is today (29 February counts on 1 March of a common year),
// owes the alert when there are any, and puts the count on the badge, or removes the badge when
// the count is 0 or the badge is switched off.
void SearchNivers();

// Puts the text on the badge of the application's icon ("" removes it), by the route the system
// version asks for: "1.x" and "2.x" through SBSetApplicationBadge of the device's UIKit library,
// later versions through the home screen's icon classes. A route that cannot be resolved does
// nothing.
void badge(const char* displayIdentifier, const char* text);

// Pays the owed alert: the pop-up and/or the sound, as switched on.
void ShowAlerts();

// The minute check: a new calendar day recounts and arms the alert again; an owed alert is shown
// at the set time (normal mode: at or after it; stand-by mode: only in that minute).
void birthdaysActivate();

// The ten-second check: the stand-by sound, and a recount whenever the address-book file's stamp
// changes.
void birthdaysActivate2();
