#pragma once
// Today's date of the application: the date of the main screen's last import, set when the
// screen loads and again when it brings its list up to a new day. Zero until then. The main
// screen hands it to the list engine as a value. Main thread only.
#include "platform/Clock.h"

#include <cstdint>

extern int32_t yearNow;
extern int32_t monthNow; // 1..12
extern int32_t dayNow; // 1..31

// Sets yearNow, monthNow and dayNow from the clock: the moment's year, month and day in local
// time.
void SetDateNow(const platform::Clock& clock = platform::system_clock());
