#pragma once
// Bringing the persons of vCard files into an address book, for the contacts tool and for
// applications alike: a file is read and checked whole first, then its cards are written in one
// change, and the result says what happened in terms a caller can show.
#include "addressbook/AddressBook.h"
#include "vcard/PersonMerge.h"
#include "vcard/PhotoSource.h"
#include "vcard/ReadFile.h"
#include "vcard/VCardReader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace contacts {

// The largest vCard file an import reads: some hundred times an address book of thousands of
// persons with photos, yet a bound on the memory a file can take.
inline constexpr size_t kMaxVCardFileBytes = size_t(256) * 1024 * 1024;

// Why nothing came in.
enum class ImportFailure {
    kNone,
    // The file cannot be read (missing, no permission, a folder, a device, a pipe, larger than
    // kMaxVCardFileBytes): `reason` says why, `unreadable` in parts a caller can translate.
    kUnreadable,
    // The file cannot be used at all: the reader's message for `line`. The BEGIN and END lines of
    // its cards do not pair up, or it holds no card; with CardErrors::kRefuseFile, also any error
    // inside a card.
    kBadFile,
    kNoCards, // every card was left out for an error (CardErrors::kSkipCard)
    kStore, // the address book cannot be read or written, nothing was written: `reason` says why
};

struct ImportResult {
    ImportFailure failure = ImportFailure::kNone;
    std::string reason;
    ReadFailure unreadable;
    int line = 0;
    Diagnostic bad_file; // with kBadFile, the reader's error: `reason` and `line` in parts
    // The persons read, in the file's order, each photo made storable (make_storable_photo), or
    // left out with a warning when the system could not show it.
    std::vector<ab::Person> cards;
    // With CardErrors::kSkipCard, each card left out: the line and message of its first error.
    std::vector<Diagnostic> skipped;
    // What was left out of persons that are read (a photo, a birthday without a month).
    std::vector<Diagnostic> warnings;
    // What writing the cards did; zero until they are written.
    MergeCounts counts;

    bool failed() const { return failure != ImportFailure::kNone; }
};

// Reads and checks a file or a text; writes nothing. A photo already in `stored` (the book's
// photos, photos_by_source) is taken from there without being decoded.
ImportResult read_vcard_file(const std::filesystem::path& file, CardErrors card_errors,
                             const PhotosBySource* stored = nullptr);
ImportResult read_vcard_text(std::string_view text, CardErrors card_errors,
                             const PhotosBySource* stored = nullptr);

// Writes the cards of a result that has not failed into the book in one change, and records the
// counts, or ImportFailure::kStore with nothing written.
void write_cards(ab::AddressBook& book, ImportResult& result, MergeMode mode = MergeMode::kImport);

// Reads the file or text and, when it can be used, writes its cards.
ImportResult import_vcard_file(ab::AddressBook& book, const std::filesystem::path& file,
                               CardErrors card_errors);
ImportResult import_vcard_text(ab::AddressBook& book, std::string_view text,
                               CardErrors card_errors);

// The counts as the contacts tool prints them: "added 12, updated 3, unchanged 197", with
// ", removed N" after the updates for a sync.
std::string counts_text(const MergeCounts& counts, MergeMode mode = MergeMode::kImport);

} // namespace contacts
