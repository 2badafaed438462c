#pragma once
// What reading a vCard file says about one of its lines, in English for the contacts tool and
// in parts for a screen, which says it in the user's language: the reason is an English sentence
// with %1, %2... for what it quotes from the file, and the key of its translation in the device's
// catalogue (os/po).
#include <string>
#include <string_view>
#include <vector>

namespace contacts {

struct Diagnostic {
    int line = 0; // 1-based line of the file
    std::string message; // the reason in English, with its values in place
    std::string_view reason; // the reason with %1, %2... for the values; a literal's text
    std::vector<std::string> values;
    // For a card left out: its person's name as the card writes it (its FN, else the first and
    // last name of its N), empty when it gives none; for anything else, empty.
    std::string name;
};

// The diagnostic of the reason, which must be a literal marked os::deviceTextKey, and its values.
Diagnostic diagnostic(int line, std::string_view reason, std::vector<std::string> values = {});

} // namespace contacts
