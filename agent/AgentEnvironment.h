#pragma once
// What the agent's rules act on and through: the clock, the address book, the system version and
// the sinks of badge, alert and sound. The device's own services by default; tests put fakes in
// their place to fix any moment and see every effect without a home screen.
#include "addressbook/AddressBook.h"
#include "audio/AudioServices.h"
#include "platform/Clock.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace agent {

struct Environment {
    const platform::Clock* clock;
    const ab::AddressBook* addressBook;
    // The system version ("3.1.3"); its first character picks the badge route.
    std::function<std::string()> systemVersion;
    // Puts the text on the application's icon badge; "" removes it. The device's is `badge`.
    std::function<void(const char* displayIdentifier, const char* text)> setBadge;
    // The pop-up, and the persons it is about (named where the alert is passed on, never in it).
    std::function<void(const char* title, const char* message, const char* button,
                       const std::vector<std::string>& personNames)>
        showAlert;
    std::function<OSStatus(std::string_view devicePath, SystemSoundID* sound)> createSound;
    std::function<void(SystemSoundID sound)> playSound;
    std::function<OSStatus(SystemSoundID sound)> disposeSound;
};

// The environment in force. Its device defaults cover everything but the system version and the
// alert, which come from the UI toolkit when the library is loaded; until then the version is
// empty and no alert shows.
Environment& environment();

} // namespace agent
