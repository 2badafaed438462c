#include "uikit/DeviceDates.h"

#include "ShortTimeFormat.h"
#include "foundation/DeviceText.h"

#include <unicode/dtptngen.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

namespace {

// The pattern of the skeleton in the locale. A generator reads all of the locale's formats, so
// one is made per locale, when its first formatter is, and kept for the others. Called with
// the formatters' lock held.
icu::UnicodeString bestPattern(const std::string& localeName, const icu::Locale& locale,
                               const char* skeleton, UErrorCode& status)
{
    static std::map<std::string, std::unique_ptr<icu::DateTimePatternGenerator>> generators;
    auto& generator = generators[localeName];
    if (!generator)
        generator.reset(icu::DateTimePatternGenerator::createInstance(locale, status));
    if (U_FAILURE(status) || !generator)
        return {};
    return generator->getBestPattern(icu::UnicodeString(skeleton, -1, US_INV), status);
}

constexpr const char* kTimeSkeleton = "jmm";

// The time is the locale's own short time format, which is what its "jmm" skeleton gives (in all
// but 5 of ICU's 805 locales, and there another format of the locale's), read without a
// generator. Only for the locales whose format ShortTimeFormat cannot write.
std::unique_ptr<icu::SimpleDateFormat> makeFormatter(const std::string& localeName,
                                                     const icu::Locale& locale,
                                                     const char* skeleton, UErrorCode& status)
{
    if (std::strcmp(skeleton, kTimeSkeleton) == 0) {
        std::unique_ptr<icu::DateFormat> time(
            icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, locale));
        if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(time.get())) {
            time.release();
            return std::unique_ptr<icu::SimpleDateFormat>(simple);
        }
        status = U_UNSUPPORTED_ERROR;
        return nullptr;
    }
    const icu::UnicodeString pattern = bestPattern(localeName, locale, skeleton, status);
    if (U_FAILURE(status))
        return nullptr;
    auto made = std::make_unique<icu::SimpleDateFormat>(pattern, locale, status);
    return U_SUCCESS(status) ? std::move(made) : nullptr;
}

// The narrow no-break space newer locale data puts before "PM" becomes a plain one, as the
// device's fonts all have it.
std::string deviceWritten(std::string_view text)
{
    constexpr std::string_view kNarrowNoBreakSpace = "\u202F";
    std::string written;
    for (size_t at = text.find(kNarrowNoBreakSpace); at != std::string_view::npos;
         at = text.find(kNarrowNoBreakSpace)) {
        written.append(text.substr(0, at)) += ' ';
        text.remove_prefix(at + kNarrowNoBreakSpace.size());
    }
    return written.append(text);
}

// The fields written in UTC, so no time zone or daylight saving moves them.
std::string format(const char* skeleton, int year, int month, int day, int hour, int minute,
                   UDisplayContext capitalization = UDISPCTX_CAPITALIZATION_NONE)
{
    // Building a formatter reads the locale's data, so each one is kept for the next call: the
    // status bar writes its clock at every paint.
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<icu::SimpleDateFormat>> formatters;
    const std::string localeName = os::deviceLocale();
    const icu::Locale locale(localeName.c_str());
    const std::lock_guard lock(mutex);
    auto& formatter = formatters[localeName + '/' + skeleton];
    UErrorCode status = U_ZERO_ERROR;
    if (!formatter) {
        auto made = makeFormatter(localeName, locale, skeleton, status);
        if (U_FAILURE(status) || !made)
            return {};
        made->setTimeZone(*icu::TimeZone::getGMT());
        made->setContext(capitalization, status);
        formatter = std::move(made);
    }
    icu::GregorianCalendar calendar(*icu::TimeZone::getGMT(), locale, status);
    calendar.clear();
    calendar.set(year, month - 1, day, hour, minute);
    const UDate date = calendar.getTime(status);
    if (U_FAILURE(status))
        return {};
    icu::UnicodeString text;
    formatter->format(date, text);
    std::string utf8;
    return deviceWritten(text.toUTF8String(utf8));
}

} // namespace

namespace uikit {

// A date without its year is written as one of 2000, a leap year, so 29 February is too.
std::string deviceDateText(int year, int month, int day, bool withYear)
{
    return withYear ? format("yMMMMd", year, month, day, 12, 0)
                    : format("MMMMd", 2000, month, day, 12, 0);
}

std::string deviceMonthName(int month)
{
    return format("LLLL", 2000, month, 1, 12, 0, UDISPCTX_CAPITALIZATION_FOR_BEGINNING_OF_SENTENCE);
}

std::string deviceTimeText(int hour, int minute)
{
    // The status bar writes its clock on every first screen, so the locale's format is read
    // once, from the device's cache when a start before kept it, and ICU's formatter made only
    // for a locale that needs it.
    static std::mutex mutex;
    static std::map<std::string, std::optional<ShortTimeFormat>> formats;
    const std::string localeName = os::deviceLocale();
    std::optional<std::string> text;
    {
        const std::lock_guard lock(mutex);
        auto found = formats.find(localeName);
        if (found == formats.end())
            found = formats.emplace(localeName, ShortTimeFormat::cached(localeName)).first;
        if (found->second)
            text = found->second->text(hour, minute);
    }
    if (!text)
        return format(kTimeSkeleton, 2000, 1, 1, hour, minute);
    return deviceWritten(*text);
}

} // namespace uikit
