#pragma once
// Month names: the English name is the key of the localised text.
#include <string>

namespace engine {

// "January" .. "December"; empty for a number outside 1..12.
const char* monthKey(int month);

// The localised name of the month from the main bundle, or the English key where the table has
// no entry; empty for a number outside 1..12.
std::string ConvertMonth(int month);

} // namespace engine
