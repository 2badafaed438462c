#include "ShortTimeFormat.h"

#include <gtest/gtest.h>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <memory>
#include <string>

namespace {

// Written as ICU's formatter of the short time style writes it, in every locale ICU has, at
// every hour (both markers, both noon and midnight) and minutes of one and two digits.
TEST(ShortTimeFormat, WritesEveryLocaleAsIcusOwnFormatter)
{
    int32_t count = 0;
    const icu::Locale* locales = icu::Locale::getAvailableLocales(count);
    int32_t written = 0;
    for (int32_t i = 0; i < count; ++i) {
        const auto format = uikit::ShortTimeFormat::of(locales[i].getName());
        if (!format)
            continue;
        ++written;
        const std::unique_ptr<icu::DateFormat> icuFormat(
            icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, locales[i]));
        icuFormat->setTimeZone(*icu::TimeZone::getGMT());
        for (int hour = 0; hour < 24; ++hour) {
            for (int minute : {0, 7, 41}) {
                icu::UnicodeString expected;
                icuFormat->format(UDate(hour * 60 + minute) * 60'000, expected);
                std::string expectedText;
                EXPECT_EQ(format->text(hour, minute), expected.toUTF8String(expectedText))
                    << locales[i].getName() << ' ' << hour << ':' << minute;
            }
        }
    }
    // Nearly all locales are written without ICU's formatter, or the clock is slow again.
    EXPECT_GT(written, count * 9 / 10) << written << " of " << count;
}

// The device's locales are written without ICU's formatter; a locale that borrows a parent's
// data, or asks for another hour cycle, is left to it (it adapts the pattern then).
TEST(ShortTimeFormat, LeavesToIcuWhatItAdapts)
{
    for (const char* own : {"en_US", "en_GB", "pt_BR", "pt_PT", "pt"})
        EXPECT_TRUE(uikit::ShortTimeFormat::of(own)) << own;
    for (const char* adapted : {"pt_XX", "en_US@hours=h23", "de_DE@rg=uszzzz", "zh_TW"})
        EXPECT_FALSE(uikit::ShortTimeFormat::of(adapted)) << adapted;
}

} // namespace
