#include "AgentEnvironment.h"
#include "ClockValues.h"
#include "DailyCheck.h"
#include "addressbook/AddressBook.h"

void birthdaysActivate2()
{
    auto& env = agent::environment();
    if (iStandby == 1) {
        env.createSound(trickPath, &trickID);
        env.playSound(trickID);
        env.disposeSound(trickID);
    }
    bool recount = false;
    if (bSettingsUnread) {
        SetConfig();
        recount = !bSettingsUnread; // as after a change notice: the badge follows the new settings
    }
    std::string stamp = agent::modification_stamp(ab::AddressBook::device_store_path());
    if (stamp != nsAddressBookDate) {
        nsAddressBookDate = std::move(stamp);
        recount = true;
    }
    if (recount)
        SearchNivers();
}
