#pragma once
// The daily check of the home-screen agent: the badge of today's birthdays on the application's
// icon, the daily alert at the set time, the stand-by sound. Runs on the home screen's main thread
// only, driven by two timers and the change notice, against agent::environment().
#include "AgentState.h"
#include "ClockValues.h"

// Reads the six settings; arms the normal-mode alert when the set time of day is still ahead and
// today's alert has not been shown yet.
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

// Pays the owed alert: the pop-up and/or the sound, as switched on, and remembers the day.
void ShowAlerts();

// Whether the alert was already shown on the calendar day of `now`. The alert comes at most once a
// day: neither a later set time nor a clock put back (an hour, or across midnight) brings it twice.
bool alertShownOnDayOf(const agent::ClockValues& now);

// The minute check: a new calendar day recounts and arms the alert again, unless that day's alert
// was already shown; an owed alert is shown at the set time (normal mode: at or after it;
// stand-by mode: only in that minute, once).
void birthdaysActivate();

// The ten-second check: the stand-by sound, and a recount whenever the address-book file's stamp
// changes.
void birthdaysActivate2();
