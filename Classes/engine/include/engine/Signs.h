#pragma once
// Zodiac signs: 1 to 12 for Aries to Pisces; 0 (or any other number) for no sign.
namespace engine {

// The sign of a birthday on (day, month). A month outside 1..12 gives 1; the day is not checked
// against the month's length: below the month's start day is the earlier sign, at or above it
// the sign that starts in that month.
int idForSigno(int day, int month);

// The English name of the sign, the key of its localised name; empty for no sign.
const char* signNameKey(int sign);
// The image resource of the sign; "clear.png" for no sign.
const char* signImageName(int sign);

} // namespace engine
