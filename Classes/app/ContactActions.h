#pragma once
// The decisions behind the main screen's contact actions, apart from the screens that show
// them: which numbers the number sheet offers, which number a button of the sheet stands for,
// the "sms:" text of a number, and which list "Back" builds again. Plain text and list work.
#include "addressbook/AddressBook.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace contact_actions {

// Every phone number of the person in stored order, whatever its label, as the user typed it.
std::vector<std::string> phoneNumbers(const ab::Person& person);

// The number that the sheet's button stands for; none for the "Cancel" button that follows the
// numbers, and for any index outside them.
std::optional<std::string> chosenNumber(const std::vector<std::string>& numbers, int buttonIndex);

// "sms:" and the one number a text message goes to, built from the characters a phone dials:
// digits, a "+" before them, "*" and "#". A card's number may hold anything, and in an "sms:"
// URL a "," adds a second recipient and a "?" a message body the sheet never showed, so
// nothing but those characters passes; the number ends at a pause or wait ("," or ";"), since
// what follows is dialled after a call connects. None when no digit is left: such a number
// opens nothing.
std::optional<std::string> smsURLText(std::string_view number);

enum class ListToRebuild { ComingBirthdays, AllByDate, AllByName };
// The list of the tab last chosen; the settings tab, like any other tag, shows the coming
// birthdays.
ListToRebuild listToRebuild(int32_t itemTabSelected);

// The source with every occurrence of the target replaced. The search goes on after each
// replacement, so a replacement that holds the target is not searched again. An empty target
// occurs nowhere.
std::string replaceString(std::string_view target, std::string_view source,
                          std::string_view replacement);

} // namespace contact_actions
