#include "DailyCheck.h"

#include "AgentEnvironment.h"
#include "ClockValues.h"

#include <addressbook/AddressBook.h>

void birthdaysActivate2() {
    auto& env = agent::environment();
    if (iStandby == 1) {
        env.createSound(trickPath, &trickID);
        env.playSound(trickID);
        env.disposeSound(trickID);
    }
    std::string stamp = agent::modification_stamp(ab::AddressBook::device_store_path());
    if (stamp != nsAddressBookDate) {
        nsAddressBookDate = std::move(stamp);
        SearchNivers();
    }
}
