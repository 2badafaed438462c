#include "vcard/VCardImport.h"

#include "foundation/DeviceText.h"
#include "vcard/PhotoCheck.h"
#include "vcard/StoreProblemText.h"

namespace contacts {

ImportResult read_vcard_text(std::string_view text, CardErrors card_errors,
                             const PhotosBySource* stored)
{
    auto read = read_vcards(text, card_errors);
    ImportResult result;
    if (read.error) {
        result.failure = ImportFailure::kBadFile;
        result.line = read.error->line;
        result.reason = read.error->message;
        result.bad_file = std::move(*read.error);
        return result;
    }
    result.skipped = std::move(read.skipped);
    result.warnings = std::move(read.warnings);
    for (auto& entry : read.entries) {
        auto& photo = entry.person.image_data;
        if (!photo.empty()) {
            if (const auto problem = make_storable_photo(photo, stored)) {
                result.warnings.push_back(diagnostic(
                    entry.photo_line, os::deviceTextKey("photo left out: %1"), {*problem}));
                photo.clear();
            }
        }
        result.cards.push_back(std::move(entry.person));
    }
    if (result.cards.empty())
        result.failure = ImportFailure::kNoCards;
    return result;
}

ImportResult read_vcard_file(const std::filesystem::path& file, CardErrors card_errors,
                             const PhotosBySource* stored)
{
    ReadFailure failure;
    const auto text = read_file(file.string(), kMaxVCardFileBytes, failure);
    if (!text) {
        ImportResult result;
        result.failure = ImportFailure::kUnreadable;
        result.reason = read_failure_text(failure);
        result.unreadable = failure;
        return result;
    }
    return read_vcard_text(*text, card_errors, stored);
}

void write_cards(ab::AddressBook& book, ImportResult& result, MergeMode mode)
{
    if (result.failed())
        return;
    MergeCounts counts;
    const bool merged = book.change([&](const std::vector<ab::Person>& stored) {
        counts = {};
        return plan_merge(stored, result.cards, mode, counts);
    });
    if (!merged) {
        result.failure = ImportFailure::kStore;
        result.reason = store_problem_text(book.lastProblem());
        return;
    }
    result.counts = counts;
}

ImportResult import_vcard_file(ab::AddressBook& book, const std::filesystem::path& file,
                               CardErrors card_errors)
{
    auto result = read_vcard_file(file, card_errors);
    write_cards(book, result);
    return result;
}

ImportResult import_vcard_text(ab::AddressBook& book, std::string_view text, CardErrors card_errors)
{
    auto result = read_vcard_text(text, card_errors);
    write_cards(book, result);
    return result;
}

std::string counts_text(const MergeCounts& counts, MergeMode mode)
{
    std::string text =
        "added " + std::to_string(counts.added) + ", updated " + std::to_string(counts.updated);
    if (mode == MergeMode::kSync)
        text += ", removed " + std::to_string(counts.removed);
    return text + ", unchanged " + std::to_string(counts.unchanged);
}

} // namespace contacts
