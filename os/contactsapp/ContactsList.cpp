#include "ContactsList.h"

#include <unicode/coll.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

namespace contactsapp {
namespace {

constexpr const char* kOtherSection = "#";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string_view part(const std::optional<std::string>& name)
{
    return name ? trimmed(*name) : std::string_view();
}

icu::UnicodeString unicode(std::string_view text)
{
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), int32_t(text.size())));
}

// The language whose order the list follows, as the C library picks the collation's.
icu::Locale collationLocale()
{
    std::string name;
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"})
        if (const char* value = std::getenv(variable); value && *value) {
            name = value;
            break;
        }
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return icu::Locale::getRoot();
    return icu::Locale(name.c_str());
}

std::unique_ptr<icu::Collator> makeCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(collationLocale(), status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    return collator;
}

// Case and accents gone: decomposed, marks dropped, case folded.
icu::UnicodeString searchable(std::string_view text)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    icu::UnicodeString decomposed =
        U_SUCCESS(status) ? nfd->normalize(unicode(text), status) : unicode(text);
    if (U_FAILURE(status))
        decomposed = unicode(text);
    icu::UnicodeString plain;
    for (int32_t i = 0; i < decomposed.length(); i = decomposed.moveIndex32(i, 1)) {
        const UChar32 c = decomposed.char32At(i);
        if (u_charType(c) != U_NON_SPACING_MARK)
            plain.append(c);
    }
    return plain.foldCase();
}

// The initial of the name sorted by, as its section's title: upper case, and without its accent
// where the language counts the letter as the plain one ("E" for "É"; but "Å" in Swedish, where it
// is a letter of its own). `primary` compares letters only.
std::string sectionTitle(std::string_view key, const icu::Collator* primary)
{
    if (key.empty())
        return kOtherSection;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return kOtherSection;
    // The first letter with its marks, decomposed.
    const icu::UnicodeString name = nfd->normalize(unicode(key), status);
    int32_t end = name.moveIndex32(0, 1);
    while (end < name.length() && u_charType(name.char32At(end)) == U_NON_SPACING_MARK)
        end = name.moveIndex32(end, 1);
    const UChar32 letter = name.char32At(0);
    if (U_FAILURE(status) || !u_isalpha(letter))
        return kOtherSection;
    icu::UnicodeString initial(name, 0, end);
    initial.toUpper();
    const icu::UnicodeString base(u_toupper(letter));
    UErrorCode compared = U_ZERO_ERROR;
    const bool plain =
        !primary || primary->compare(initial, base, compared) == UCOL_EQUAL || U_FAILURE(compared);
    icu::UnicodeString title = plain ? base : nfc->normalize(initial, status);
    std::string text;
    return U_SUCCESS(status) ? title.toUTF8String(text) : kOtherSection;
}

struct Entry {
    const ab::PersonSummary* person;
    icu::UnicodeString key; // last name, else first name
    icu::UnicodeString then; // first name when the key is the last name
    std::string title;
};

} // namespace

std::string display_name(const ab::PersonSummary& person)
{
    const std::string_view first = part(person.first_name), last = part(person.last_name);
    if (first.empty() && last.empty())
        return os::deviceText(kNoName);
    if (first.empty() || last.empty())
        return std::string(first.empty() ? last : first);
    return std::string(first) + " " + std::string(last);
}

bool matches_search(const ab::PersonSummary& person, std::string_view search)
{
    const std::string_view wanted = trimmed(search);
    if (wanted.empty())
        return true;
    const icu::UnicodeString needle = searchable(wanted);
    // "No Name" is no name to find.
    if (part(person.first_name).empty() && part(person.last_name).empty())
        return false;
    const std::string whole = display_name(person);
    for (const std::string_view name :
         {part(person.first_name), part(person.last_name), std::string_view(whole)})
        if (!name.empty() && searchable(name).indexOf(needle) >= 0)
            return true;
    return false;
}

std::vector<ContactSection> contact_sections(const std::vector<ab::PersonSummary>& persons,
                                             std::string_view search)
{
    const auto collator = makeCollator();
    std::unique_ptr<icu::Collator> primary(collator ? collator->clone() : nullptr);
    if (primary)
        primary->setStrength(icu::Collator::PRIMARY);

    std::vector<Entry> entries;
    for (const ab::PersonSummary& person : persons) {
        if (!matches_search(person, search))
            continue;
        const std::string_view first = part(person.first_name), last = part(person.last_name);
        const std::string_view key = last.empty() ? first : last;
        entries.push_back({&person, unicode(key), unicode(last.empty() ? "" : first),
                           sectionTitle(key, primary.get())});
    }

    // Negative, zero or positive, as a comes before, with or after b.
    const auto compare = [&](const icu::UnicodeString& a, const icu::UnicodeString& b) -> int {
        UErrorCode status = U_ZERO_ERROR;
        if (collator)
            return int(collator->compare(a, b, status));
        return int(a.compare(b));
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) -> bool {
        // Persons without a name go last.
        if (a.key.isEmpty() != b.key.isEmpty())
            return b.key.isEmpty();
        if (const int order = compare(a.key, b.key); order != 0)
            return order < 0;
        return compare(a.then, b.then) < 0;
    });

    std::vector<ContactSection> sections;
    std::map<std::string, size_t> byTitle;
    for (const Entry& entry : entries) {
        auto [at, added] = byTitle.try_emplace(entry.title, sections.size());
        if (added)
            sections.push_back({entry.title, {}});
        sections[at->second].rows.push_back({entry.person->id, display_name(*entry.person)});
    }
    // Titles come in the order of their first person; "#" goes last whatever that was.
    std::stable_partition(sections.begin(), sections.end(),
                          [](const ContactSection& s) { return s.title != kOtherSection; });
    return sections;
}

} // namespace contactsapp
