#pragma once
// The daily check of the home-screen agent: the badge of today's birthdays on the application's
// icon, the daily alert at the set time, the stand-by sound. Runs on the home screen's main thread
// only, driven by two timers and the change notice, against agent::environment().
#include "AgentState.h"
#include "ClockValues.h"

// Reads the six settings; arms the normal-mode alert when the set time of day is still ahead,
// unless today's alert was already shown for that same set time. A read that another program's
// lock made fail keeps every value and leaves bSettingsUnread set.
// Never writes the settings file and never creates it.
void SetConfig();

// Counts the persons whose birthday is today (29 February counts on 1 March of a common year),
// keeps their names for the alert, owes the alert when there are any, and puts the count on the
// badge, or removes the badge when the count is 0 or the badge is switched off. An address book
// that could not be read changes neither the owed alert nor the badge, and makes the next
// ten-second check count again.
void SearchNivers();

// Puts the text on the badge of the application's icon ("" removes it), by the route the system
// version asks for: "1.x" and "2.x" through SBSetApplicationBadge of the device's UIKit library,
// later versions through the home screen's icon classes. A route that cannot be resolved does
// nothing.
void badge(const char* displayIdentifier, const char* text);

// Pays the owed alert: the pop-up and/or the sound, as switched on, and remembers the day and
// the set time it was shown for, in the device too.
void ShowAlerts();

// Whether an alert was already shown on the calendar day of `now`.
bool alertShownOnDayOf(const agent::ClockValues& now);
// Whether the alert of the calendar day of `now` was already shown for the set time now in force.
// Such an alert never comes twice: not for a change notice that moved nothing, nor for a clock put
// back (an hour, or across midnight), nor for the new-day check running twice.
bool alertShownForSetTime(const agent::ClockValues& now);

// The minute check: a new calendar day recounts and arms the alert again, unless that day's alert
// was already shown; an owed alert is shown at the set time (normal mode: at or after it, when
// armed; stand-by mode: in that minute, once per set time and day, or at the first check after a
// set minute the clock jumped over).
void birthdaysActivate();

// The ten-second check: the stand-by sound; a settings read again while the last one failed;
// a recount whenever the address-book file's stamp changes or the settings were read.
void birthdaysActivate2();
