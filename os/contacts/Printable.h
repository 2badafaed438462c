#pragma once
// Text from outside (names and numbers of cards, file names, a reader's quotes of a card) as it
// may be printed to a terminal: every control character shown escaped, so that a card cannot
// move the cursor, retitle the window, hide text or reorder a line.
#include <string>
#include <string_view>

namespace contacts {

// The text with "\n", "\t", "\r" for those three characters; "\xHH" for the other C0 controls,
// DEL and bytes that are not UTF-8; "\uHHHH" for C1 controls, the bidirectional controls
// (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069) and the line and paragraph
// separators U+2028, U+2029. Everything else, backslashes too, is kept as it is.
std::string printable(std::string_view text);

} // namespace contacts
