#pragma once
// A locale's short time format ("h:mm a", "HH:mm"), read straight from ICU's locale data: its
// pattern, its AM/PM markers and its digits. Making ICU's own formatter for it also reads every
// month and day name, a number format and a calendar, most of the status bar's first paint.
// For the toolkit's own files only.
#include <optional>
#include <string>
#include <string_view>

namespace uikit {

class ShortTimeFormat {
public:
    // The locale's format, or nothing when writing it takes more than hours, minutes, AM/PM
    // markers and decimal digits (a day period such as "in the morning", another numbering), or
    // when ICU would not use the locale's own pattern as written (a locale whose data is a
    // parent's, whose hour cycle ICU then adapts to the region): ICU's formatter writes those.
    static std::optional<ShortTimeFormat> of(const std::string& localeName);

    // The same, kept on the device: read from the file a first start wrote for this ICU and
    // locale, so later starts write the clock without loading any of ICU's data or code, or,
    // when that file is missing or damaged, from ICU and written there again. A device where
    // nothing can be written reads it from ICU at each start.
    static std::optional<ShortTimeFormat> cached(const std::string& localeName);

    // The time in UTF-8, as ICU's formatter of the locale's short time style writes it.
    std::string text(int hour, int minute) const;

private:
    // Whether the pattern asks only for what text() writes: hours, minutes and AM/PM markers.
    static bool writesOnlyTime(std::string_view pattern);

    // The fields in the cache file's layout, and back; nothing from a file that is not whole.
    std::string saved() const;
    static std::optional<ShortTimeFormat> fromSaved(std::string_view saved);

    // All UTF-8. The pattern's letters and quotes are ASCII, so it is walked byte by byte.
    std::string pattern_;
    std::string am_;
    std::string pm_;
    std::string digits_[10];
};

} // namespace uikit
