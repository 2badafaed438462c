#pragma once
// Reads vCard files (versions 2.1, 3.0 and 4.0) as address books export them: folded lines,
// escaped characters, quoted-printable values, inline photos, grouped custom labels, the
// placeholder years that stand for a birthday without a year, and anniversaries and other
// labelled dates (ANNIVERSARY, X-ABDATE), read like the birthday.
//
// Input is untrusted: any text gives persons, cards left out or one error with its line, never a
// crash.
#include "addressbook/AddressBook.h"
#include "vcard/Diagnostic.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace contacts {

struct VCardEntry {
    ab::Person person; // not saved yet; image_data is the photo as found, not checked
    int line = 0; // line of BEGIN:VCARD
    int photo_line = 0; // line of the photo kept in image_data; 0 without a photo
};

struct VCardReadResult {
    std::vector<VCardEntry> entries;
    // Things left out of a person that is still read whole (a photo that cannot be used, a
    // birthday without a month or day).
    std::vector<Diagnostic> warnings;
    // With CardErrors::kSkipCard, each card left out for an error: the first error in it, with
    // the card's name.
    std::vector<Diagnostic> skipped;
    // The first error that is not left out; the file is then not to be used at all.
    std::optional<Diagnostic> error;
};

// What an error inside one card (a bad date, a line that cannot be read between its BEGIN and
// END) does: refuse the whole file, or leave out that card and read the others. An error in
// the frame of the cards (text outside a card, a card without its END) refuses the file
// either way, since it leaves no telling where a card starts.
enum class CardErrors { kRefuseFile, kSkipCard };

VCardReadResult read_vcards(std::string_view text,
                            CardErrors card_errors = CardErrors::kRefuseFile);

} // namespace contacts
