#pragma once
// The labels of a person's phones and e-mail addresses as the person screen shows them.
#include <string>

namespace addressbookui {

// A standard label ("mobile", "home", "work"...) in the device's language; a label the person
// typed is theirs and is shown as typed.
std::string labelText(const std::string& label);

} // namespace addressbookui
