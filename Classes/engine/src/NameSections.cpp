#include "engine/NameSections.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace engine {

struct NameSections::Impl {
    std::unique_ptr<icu::BreakIterator> characters;
};

NameSections::NameSections() : impl_(std::make_unique<Impl>()) {
    UErrorCode status = U_ZERO_ERROR;
    impl_->characters.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) impl_->characters.reset();
}

NameSections::~NameSections() = default;

std::string NameSections::sectionKey(std::string_view name) {
    if (name.empty()) return "#";
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(name[i]); };
    // Most names start with an ASCII letter that no mark follows: no need for the break rules.
    if (byte(0) < 0x80 && (name.size() == 1 || byte(1) < 0x80)) {
        char c = name[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return std::string(1, c);
    }

    const icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
    int32_t end = text.moveIndex32(0, 1); // at least the first code point, whole
    if (impl_->characters) {
        impl_->characters->setText(text);
        const int32_t boundary = impl_->characters->following(0);
        if (boundary != icu::BreakIterator::DONE) end = boundary;
    }
    icu::UnicodeString first(text, 0, end);
    first.toUpper(icu::Locale::getRoot());
    std::string key;
    first.toUTF8String(key);
    return key.empty() ? "#" : key;
}

} // namespace engine
