#pragma once
// Persons named in one line of the user's language, as a notification can show them: "Ana Lima",
// "Ana Lima and João Silva", "Ana Lima, João Silva and Carla Dias", and from four on the first
// two and how many more ("Ana Lima, João Silva and 2 more"), so a long list stays one line.
#include <string>
#include <vector>

namespace springboard {

// "" for no names.
std::string names_in_a_line(const std::vector<std::string>& names);

} // namespace springboard
