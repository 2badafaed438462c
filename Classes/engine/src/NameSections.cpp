#include "engine/NameSections.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <unordered_map>

namespace engine {

struct NameSections::Impl {
    std::unique_ptr<icu::BreakIterator> characters;
    std::unordered_map<UChar32, std::string> upperCase; // of single code points met so far
};

namespace {

std::string upperCased(const icu::UnicodeString& text)
{
    icu::UnicodeString upper(text);
    upper.toUpper(icu::Locale::getRoot());
    std::string out;
    upper.toUTF8String(out);
    return out;
}

} // namespace

NameSections::NameSections() : impl_(std::make_unique<Impl>())
{
    UErrorCode status = U_ZERO_ERROR;
    impl_->characters.reset(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        impl_->characters.reset();
}

NameSections::~NameSections() = default;

std::string NameSections::sectionKey(std::string_view name)
{
    if (name.empty())
        return "#";
    const auto* bytes = reinterpret_cast<const uint8_t*>(name.data());
    const int32_t length = static_cast<int32_t>(name.size());
    int32_t next = 0;
    UChar32 first;
    U8_NEXT(bytes, next, length, first);

    // Nearly every name goes on with a plain ASCII character, which never joins the character
    // before it unless that one is a prefix mark: then the first character is one code point.
    if (first >= 0 && (next == length || bytes[next] < 0x80) &&
        u_getIntPropertyValue(first, UCHAR_GRAPHEME_CLUSTER_BREAK) != U_GCB_PREPEND) {
        if (first < 0x80) {
            const char c = static_cast<char>(first);
            return std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
        }
        auto [it, added] = impl_->upperCase.try_emplace(first);
        if (added)
            it->second = upperCased(icu::UnicodeString(first));
        return it->second;
    }

    const icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), length));
    int32_t end = text.moveIndex32(0, 1); // at least the whole first code point
    if (impl_->characters) {
        impl_->characters->setText(text);
        const int32_t boundary = impl_->characters->following(0);
        if (boundary != icu::BreakIterator::DONE)
            end = boundary;
    }
    const std::string key = upperCased(icu::UnicodeString(text, 0, end));
    return key.empty() ? "#" : key;
}

} // namespace engine
