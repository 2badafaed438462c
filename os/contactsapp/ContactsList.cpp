#include "ContactsList.h"

#include <unicode/coll.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace contactsapp {
namespace {

constexpr const char* kOtherSection = "#";

// A plain loop: find_first_not_of looks each character up in the set with a call of its own,
// which made trimming two names a tenth of adding a person.
std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
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
std::string sectionTitle(const icu::UnicodeString& key, const icu::Collator* primary)
{
    if (key.isEmpty())
        return kOtherSection;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return kOtherSection;
    // The first letter with its marks, decomposed.
    const icu::UnicodeString name = nfd->normalize(key, status);
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

// The part of the key its title depends on: the first character and what decomposes or combines
// with it. It ends before a character that starts a decomposition of its own and is no mark, so
// the title of the part is that of the whole key, and persons whose names begin alike share one.
icu::UnicodeString initialPart(const icu::UnicodeString& key, const icu::Normalizer2& nfd)
{
    int32_t end = key.moveIndex32(0, 1);
    while (end < key.length()) {
        const UChar32 c = key.char32At(end);
        if (nfd.hasBoundaryBefore(c) && u_charType(c) != U_NON_SPACING_MARK)
            break;
        end = key.moveIndex32(end, 1);
    }
    return icu::UnicodeString(key, 0, end);
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

// searchable(), as UTF-8: a part of the needle's bytes is a part of its characters.
std::string searchableUtf8(std::string_view text)
{
    std::string folded;
    if (isAscii(text)) {
        // Nothing to decompose and no marks; ASCII folds to lower case.
        folded.assign(text);
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        return folded;
    }
    return searchable(text).toUTF8String(folded);
}

} // namespace

// Made in the order of the book; sorted once all persons are in.
class ContactIndex::Builder : public ab::PersonVisitor {
public:
    Builder() : collator_(makeCollator())
    {
        UErrorCode status = U_ZERO_ERROR;
        nfd_ = icu::Normalizer2::getNFDInstance(status);
        if (U_FAILURE(status))
            nfd_ = nullptr;
        if (collator_) {
            primary_.reset(collator_->clone());
            if (primary_)
                primary_->setStrength(icu::Collator::PRIMARY);
        }
    }

    void expect(size_t count) override
    {
        index_.persons_.reserve(count);
        places_.reserve(count);
    }

    void visit(const ab::PersonSummaryView& person) override
    {
        add(person.id, person.first_name.value_or(std::string_view()),
            person.last_name.value_or(std::string_view()));
    }

    void add(ab::RecordID id, std::string_view first, std::string_view last)
    {
        first = trimmed(first);
        last = trimmed(last);
        const std::string_view key = last.empty() ? first : last;
        const Part* firstPart = first.empty() ? nullptr : &part(first);
        const Part* lastPart = last.empty() ? nullptr : &part(last);
        const Part* keyPart = lastPart ? lastPart : firstPart;

        uint32_t title = noTitle_;
        if (keyPart) {
            auto& known = const_cast<Part*>(keyPart)->title;
            if (!known)
                known = titleOf(unicode(key));
            title = *known;
        } else if (noTitle_ == UINT32_MAX) {
            title = noTitle_ = titleOf(icu::UnicodeString());
        }
        index_.persons_.push_back(
            {id, title, firstPart ? firstPart->name : kNone, lastPart ? lastPart->name : kNone});

        places_.push_back(
            {keyPart, keyPart ? (lastPart && firstPart ? firstPart : &part({})) : nullptr});
    }

    ContactIndex finish() &&
    {
        rankParts();
        // Persons without a name go after every rank. Sorted by the name after, then (stably) by
        // the name sorted by, ties keep the book's order.
        const auto noName = uint32_t(parts_.size());
        std::vector<uint32_t> order(places_.size());
        std::iota(order.begin(), order.end(), 0u);
        order = countingSorted(order, noName + 1, [&](uint32_t person) {
            return places_[person].then ? places_[person].then->rank : 0;
        });
        order = countingSorted(order, noName + 1, [&](uint32_t person) {
            return places_[person].key ? places_[person].key->rank : noName;
        });
        std::vector<Person> sorted;
        sorted.reserve(order.size());
        for (const uint32_t person : order)
            sorted.push_back(index_.persons_[person]);
        index_.persons_ = std::move(sorted);
        return std::move(index_);
    }

private:
    // What a first or last name gives every person who has it. Names repeat across a book, given
    // names and family names most of all, so each is collated and folded once.
    struct Part {
        uint32_t sortKey; // its collation key: offset in keys_, length (with its final zero)
        uint32_t sortKeyLength;
        uint32_t name; // in names_
        std::optional<uint32_t> title; // in titles_, once a person is sorted by it
        uint32_t rank = 0; // in the order of all parts; equal keys, equal ranks
    };

    // A person's place: the name sorted by and the one after it (the empty name when there is
    // none); no key for a person without a name.
    struct Place {
        const Part* key;
        const Part* then;
    };

    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const
        {
            return std::hash<std::string_view>{}(name);
        }
    };

    const Part& part(std::string_view name)
    {
        if (const auto known = parts_.find(name); known != parts_.end())
            return known->second;
        Part made{uint32_t(keys_.size()), 0, uint32_t(index_.names_.size()), std::nullopt};
        appendSortKey(unicode(name));
        made.sortKeyLength = uint32_t(keys_.size()) - made.sortKey;
        index_.names_.push_back({std::string(name), searchableUtf8(name)});
        return parts_.emplace(std::string(name), made).first->second;
    }

    void appendSortKey(const icu::UnicodeString& text)
    {
        if (!collator_) {
            // The order of UTF-16 code units, as UnicodeString::compare has it: each unit in
            // three bytes of seven bits plus one, so none is the zero that ends the key.
            for (int32_t i = 0; i < text.length(); ++i) {
                const char16_t unit = text.charAt(i);
                for (const int shift : {14, 7, 0})
                    keys_.push_back(char(((unit >> shift) & 0x7f) + 1));
            }
            keys_.push_back('\0');
            return;
        }
        uint8_t buffer[256];
        int32_t length = collator_->getSortKey(text, buffer, int32_t(sizeof buffer));
        if (length <= int32_t(sizeof buffer)) {
            keys_.append(reinterpret_cast<const char*>(buffer), size_t(length));
            return;
        }
        std::string larger(size_t(length), '\0');
        length = collator_->getSortKey(text, reinterpret_cast<uint8_t*>(larger.data()), length);
        keys_.append(larger, 0, size_t(length));
    }

    // Names repeat across a book far more than persons do, so the collation keys are compared
    // once per name here and the persons then sorted by rank, with no key compared again.
    void rankParts()
    {
        struct Ranked {
            uint64_t prefix; // the key's first eight bytes, which settle most comparisons
            Part* part;
        };
        std::vector<Ranked> ranked;
        ranked.reserve(parts_.size());
        for (auto& [name, made] : parts_) {
            uint64_t prefix = 0;
            for (uint32_t i = 0; i < 8; ++i)
                prefix =
                    (prefix << 8) | (i < made.sortKeyLength ? uint8_t(keys_[made.sortKey + i]) : 0);
            ranked.push_back({prefix, &made});
        }
        // Each key ends in a zero byte, which no key holds before its end, so comparing the
        // bytes compares the names.
        const auto compare = [this](const Part& a, const Part& b) {
            const int order = std::memcmp(keys_.data() + a.sortKey, keys_.data() + b.sortKey,
                                          std::min(a.sortKeyLength, b.sortKeyLength));
            return order != 0 ? order : int(a.sortKeyLength) - int(b.sortKeyLength);
        };
        std::sort(ranked.begin(), ranked.end(), [&](const Ranked& a, const Ranked& b) {
            return a.prefix != b.prefix ? a.prefix < b.prefix : compare(*a.part, *b.part) < 0;
        });
        uint32_t rank = 0;
        for (size_t i = 0; i < ranked.size(); ++i) {
            if (i > 0 && (ranked[i].prefix != ranked[i - 1].prefix ||
                          compare(*ranked[i].part, *ranked[i - 1].part) != 0))
                ++rank;
            ranked[i].part->rank = rank;
        }
    }

    // `persons` ordered by rankOf(person) < rankCount, in their order where ranks are equal.
    template <typename RankOf>
    static std::vector<uint32_t> countingSorted(const std::vector<uint32_t>& persons,
                                                uint32_t rankCount, RankOf rankOf)
    {
        std::vector<uint32_t> start(size_t(rankCount) + 1, 0);
        for (const uint32_t person : persons)
            ++start[rankOf(person) + 1];
        for (size_t rank = 1; rank < start.size(); ++rank)
            start[rank] += start[rank - 1];
        std::vector<uint32_t> sorted(persons.size());
        for (const uint32_t person : persons)
            sorted[start[rankOf(person)]++] = person;
        return sorted;
    }

    uint32_t titleOf(const icu::UnicodeString& key)
    {
        const icu::UnicodeString part = nfd_ && !key.isEmpty() ? initialPart(key, *nfd_) : key;
        auto [at, added] = titleOf_.try_emplace(part, 0);
        if (added) {
            std::string text = sectionTitle(part, primary_.get());
            const auto known = std::find(index_.titles_.begin(), index_.titles_.end(), text);
            at->second = uint32_t(known - index_.titles_.begin());
            if (known == index_.titles_.end())
                index_.titles_.push_back(std::move(text));
        }
        return at->second;
    }

    std::unique_ptr<icu::Collator> collator_;
    std::unique_ptr<icu::Collator> primary_;
    const icu::Normalizer2* nfd_ = nullptr;
    std::map<icu::UnicodeString, uint32_t> titleOf_;
    uint32_t noTitle_ = UINT32_MAX; // the title of persons without a name
    std::unordered_map<std::string, Part, NameHash, std::equal_to<>> parts_;
    std::string keys_;
    std::vector<Place> places_; // in the book's order
    ContactIndex index_;
};

ContactIndex::ContactIndex(const std::vector<ab::PersonSummary>& persons)
{
    Builder builder;
    builder.expect(persons.size());
    for (const ab::PersonSummary& person : persons)
        builder.add(person.id, person.first_name.value_or(std::string()),
                    person.last_name.value_or(std::string()));
    *this = std::move(builder).finish();
}

ContactIndex ContactIndex::of_book(const ab::AddressBook& book)
{
    Builder builder;
    if (!book.visitAllPeople(builder))
        return {};
    return std::move(builder).finish();
}

// Whether the person's searchable name, "first last", holds the needle: within one name, or
// across the space between them.
bool ContactIndex::holds(const Person& person, std::string_view needle,
                         const std::vector<bool>& nameHolds) const
{
    if ((person.first != kNone && nameHolds[person.first]) ||
        (person.last != kNone && nameHolds[person.last]))
        return true;
    if (person.first == kNone || person.last == kNone)
        return false;
    const std::string_view first = names_[person.first].folded;
    const std::string_view last = names_[person.last].folded;
    for (size_t space = needle.find(' '); space != needle.npos; space = needle.find(' ', space + 1))
        if (first.ends_with(needle.substr(0, space)) && last.starts_with(needle.substr(space + 1)))
            return true;
    return false;
}

// The person's full name, joined as ab::full_name joins it, or `noName`.
std::string ContactIndex::shownName(const Person& person, const std::string& noName) const
{
    const auto shown = [this](uint32_t name) {
        return name == kNone ? std::string_view() : std::string_view(names_[name].shown);
    };
    const std::string_view first = shown(person.first);
    const std::string_view last = shown(person.last);
    if (first.empty() && last.empty())
        return noName;
    if (first.empty() || last.empty())
        return std::string(first.empty() ? last : first);
    // Sized at once and filled: appending piece by piece costs a third more for each row.
    std::string name(first.size() + 1 + last.size(), ' ');
    first.copy(name.data(), first.size());
    last.copy(name.data() + first.size() + 1, last.size());
    return name;
}

std::vector<ContactSection> ContactIndex::sections(std::string_view search) const
{
    const std::string_view wanted = trimmed(search);
    const std::string needle = wanted.empty() ? std::string() : searchableUtf8(wanted);
    std::vector<ContactSection> sections;
    // A search of nothing but marks keeps no one.
    if (!wanted.empty() && needle.empty())
        return sections;
    // Folding the whole name folds each name alone (a space decomposes to itself, and no mark
    // moves across it), so each name is searched once for all the persons who have it.
    std::vector<bool> nameHolds;
    if (!needle.empty())
        for (const Name& name : names_)
            nameHolds.push_back(name.folded.find(needle) != std::string::npos);
    const auto kept = [&](const Person& person) {
        return needle.empty() || holds(person, needle, nameHolds);
    };
    // Each section's rows made in place, with none moved as the section grows.
    std::vector<size_t> rowsOf(titles_.size(), 0);
    for (const Person& person : persons_)
        rowsOf[person.title] += kept(person);
    const std::string noName = os::deviceText(kNoName);
    std::vector<size_t> sectionOf(titles_.size(), SIZE_MAX);
    for (const Person& person : persons_) {
        if (!kept(person))
            continue;
        size_t& at = sectionOf[person.title];
        if (at == SIZE_MAX) {
            at = sections.size();
            sections.push_back({titles_[person.title], {}});
            sections.back().rows.reserve(rowsOf[person.title]);
        }
        sections[at].rows.push_back({person.id, shownName(person, noName)});
    }
    // Titles come in the order of their first person; "#" goes last whatever that was.
    std::stable_partition(sections.begin(), sections.end(),
                          [](const ContactSection& s) { return s.title != kOtherSection; });
    return sections;
}

size_t ContactIndex::memory_bytes() const
{
    size_t bytes = persons_.capacity() * sizeof(Person) + names_.capacity() * sizeof(Name);
    for (const Name& name : names_)
        bytes += name.shown.capacity() + name.folded.capacity();
    for (const std::string& title : titles_)
        bytes += sizeof title + title.capacity();
    return bytes;
}

std::vector<ContactSection> contact_sections(const std::vector<ab::PersonSummary>& persons,
                                             std::string_view search)
{
    return ContactIndex(persons).sections(search);
}

} // namespace contactsapp
