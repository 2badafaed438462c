#include "ShortTimeFormat.h"
#include "TempDevice.h"

#include <gtest/gtest.h>
#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/uvernum.h>

#include <fstream>
#include <memory>
#include <sstream>
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

// Read from ICU once per ICU and locale, then from the device: a kept file is used as it is
// (here another locale's), a damaged one or one of another ICU is read afresh and kept again.
TEST(ShortTimeFormat, IsKeptOnTheDeviceForItsIcuAndLocale)
{
    TempDevice device;
    const auto file = [&](const std::string& locale) {
        return device.path("/var/mobile/Library/Caches/com.Qarvex.UIKit/ShortTimeFormat/" +
                           std::string(U_ICU_VERSION) + "/" + locale);
    };
    const auto contents = [](const std::filesystem::path& path) {
        return (std::ostringstream() << std::ifstream(path).rdbuf()).str();
    };
    const auto cachedText = [](const char* locale) {
        return uikit::ShortTimeFormat::cached(locale)->text(13, 5);
    };
    const std::string icuText = uikit::ShortTimeFormat::of("en_US")->text(13, 5);
    ASSERT_EQ(cachedText("de_DE"), "13:05");
    ASSERT_EQ(cachedText("en_US"), icuText);
    const std::string kept = contents(file("en_US"));
    std::string otherIcu = kept;
    otherIcu.replace(otherIcu.find(U_ICU_VERSION), std::string_view(U_ICU_VERSION).size(), "1.0");
    std::filesystem::copy_file(file("de_DE"), file("en_US"),
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(cachedText("en_US"), "13:05");
    for (const std::string& damaged :
         {std::string("garbage"), kept.substr(0, kept.size() - 2), otherIcu}) {
        std::ofstream(file("en_US")) << damaged;
        EXPECT_EQ(cachedText("en_US"), icuText) << damaged;
        EXPECT_EQ(contents(file("en_US")), kept) << damaged;
    }
    // A name from the environment never reaches a file outside the folder.
    std::filesystem::copy_file(file("de_DE"), file("../en_US"));
    EXPECT_FALSE(uikit::ShortTimeFormat::cached("../en_US"));
    // Where nothing can be written the clock is still ICU's.
    std::filesystem::remove_all(device.path("/var/mobile/Library/Caches"));
    std::ofstream(device.path("/var/mobile/Library/Caches")) << "a file, not a folder";
    EXPECT_EQ(cachedText("en_US"), icuText);
}

} // namespace
