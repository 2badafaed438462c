#include "AgentEnvironment.h"

#include "DailyCheck.h"
#include "addressbook/DeviceAddressBook.h"

namespace agent {

Environment& environment()
{
    static ab::DeviceAddressBook device_book;
    static Environment in_force{
        .clock = &platform::system_clock(),
        .addressBook = &device_book,
        .systemVersion = {},
        .setBadge = badge,
        .showAlert = {},
        .createSound = AudioServicesCreateSystemSoundID,
        .playSound = AudioServicesPlaySystemSound,
        .disposeSound = AudioServicesDisposeSystemSoundID,
    };
    return in_force;
}

} // namespace agent
