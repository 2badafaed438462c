#include "ShortTimeFormat.h"

#include <unicode/locid.h>
#include <unicode/numsys.h>
#include <unicode/resbund.h>

#include <memory>
#include <string_view>

namespace uikit {
namespace {

// The string at the index in UTF-8, or nothing when it is not a plain string (ICU writes a
// pattern that comes with number overrides as an array).
std::optional<std::string> stringAt(const icu::ResourceBundle& array, int32_t index)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::ResourceBundle item = array.get(index, status);
    if (U_FAILURE(status) || item.getType() != URES_STRING)
        return std::nullopt;
    const icu::UnicodeString text = item.getString(status);
    if (U_FAILURE(status))
        return std::nullopt;
    std::string utf8;
    return text.toUTF8String(utf8);
}

bool isPatternLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Walks ICU's date pattern syntax: a run of one letter is a field (its letter and length), text
// between single quotes is written as it is, two single quotes are one, anything else is text.
// A byte of a character past ASCII is never a letter or a quote, so it passes as text.
template <typename Field, typename Text>
void walkPattern(std::string_view pattern, const Field& field, const Text& text)
{
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (isPatternLetter(c)) {
            size_t end = i;
            while (end < pattern.size() && pattern[end] == c)
                ++end;
            field(c, static_cast<int>(end - i));
            i = end;
        } else if (c != '\'') {
            text(pattern.substr(i, 1));
            ++i;
        } else if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
            text("'");
            i += 2;
        } else {
            std::string quoted;
            for (++i; i < pattern.size(); ++i) {
                if (pattern[i] != '\'')
                    quoted += pattern[i];
                else if (i + 1 < pattern.size() && pattern[i + 1] == '\'')
                    quoted += pattern[++i];
                else
                    break;
            }
            text(quoted);
            ++i;
        }
    }
}

bool isTimeField(char letter, int length)
{
    // "a" to "aaa" are the markers read here; longer ones ask for other forms of them.
    return std::string_view("HhKkm").find(letter) != std::string_view::npos ||
           (letter == 'a' && length <= 3);
}

} // namespace

bool ShortTimeFormat::writesOnlyTime(std::string_view pattern)
{
    bool onlyTimeFields = true;
    walkPattern(
        pattern, [&](char letter, int length) { onlyTimeFields &= isTimeField(letter, length); },
        [](std::string_view) {});
    return onlyTimeFields;
}

std::optional<ShortTimeFormat> ShortTimeFormat::of(const std::string& localeName)
{
    const icu::Locale locale(localeName.c_str());
    // A keyword (an hour cycle, a region's preferences, a numbering) changes what ICU writes.
    if (locale.isBogus() || std::string_view(locale.getName()) != locale.getBaseName())
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    icu::ResourceBundle bundle(nullptr, locale, status);
    // A locale without data of its own borrows a parent's patterns, and ICU then makes one for
    // the locale's region instead.
    if (U_FAILURE(status) ||
        std::string_view(bundle.getLocale(ULOC_VALID_LOCALE, status).getName()) !=
            locale.getBaseName())
        return std::nullopt;
    // Looked up as ICU's formatter does, through the locale's parents and the data's aliases
    // (getWithFallback is marked internal, but is how ICU's own formats read this data).
    const icu::ResourceBundle patterns =
        bundle.getWithFallback("calendar/gregorian/DateTimePatterns", status);
    const icu::ResourceBundle markers =
        bundle.getWithFallback("calendar/gregorian/AmPmMarkers", status);
    if (U_FAILURE(status) || markers.getSize() != 2)
        return std::nullopt;

    ShortTimeFormat format;
    constexpr int32_t kShortTime = 3; // full, long, medium, short time, then the dates
    const auto pattern = stringAt(patterns, kShortTime);
    const auto am = stringAt(markers, 0);
    const auto pm = stringAt(markers, 1);
    if (!pattern || !am || !pm || !writesOnlyTime(*pattern))
        return std::nullopt;
    format.pattern_ = *pattern;
    format.am_ = *am;
    format.pm_ = *pm;

    const std::unique_ptr<icu::NumberingSystem> numbering(
        icu::NumberingSystem::createInstance(locale, status));
    if (U_FAILURE(status) || !numbering || numbering->isAlgorithmic() ||
        numbering->getRadix() != 10)
        return std::nullopt;
    const icu::UnicodeString digits = numbering->getDescription();
    if (digits.countChar32() != 10)
        return std::nullopt;
    for (int32_t index = 0, digit = 0; digit < 10; ++digit) {
        const int32_t next = digits.moveIndex32(index, 1);
        digits.tempSubStringBetween(index, next).toUTF8String(format.digits_[digit]);
        index = next;
    }
    return format;
}

std::string ShortTimeFormat::text(int hour, int minute) const
{
    std::string written;
    const auto writeNumber = [&](int value, int minimumDigits) {
        std::string number;
        for (int left = value; left > 0 || minimumDigits > 0; left /= 10, --minimumDigits)
            number.insert(0, digits_[left % 10]);
        written += number;
    };
    walkPattern(
        pattern_,
        [&](char letter, int length) {
            switch (letter) {
            case 'H': return writeNumber(hour, length);
            case 'k': return writeNumber(hour == 0 ? 24 : hour, length);
            case 'h': return writeNumber(hour % 12 == 0 ? 12 : hour % 12, length);
            case 'K': return writeNumber(hour % 12, length);
            case 'm': return writeNumber(minute, length);
            default: written += hour < 12 ? am_ : pm_;
            }
        },
        [&](std::string_view text) { written += text; });
    return written;
}

} // namespace uikit
