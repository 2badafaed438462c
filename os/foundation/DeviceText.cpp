#include "foundation/DeviceText.h"

#include "foundation/Bundle.h"
#include "foundation/Device.h"

#include <memory>
#include <mutex>

namespace os {
namespace {

constexpr std::string_view kSystemTextsFolder = "/System/Library/Frameworks/UIKit.framework";

// Runs the use with the system bundle of the current device, made anew when the device changes
// (tests move between devices). One caller at a time: the bundle loads its tables on first use.
template <class Use>
auto withSystemBundle(Use use)
{
    static std::mutex mutex;
    static std::unique_ptr<NSBundle> bundle;
    const std::lock_guard lock(mutex);
    const auto folder = device_path(kSystemTextsFolder);
    if (!bundle || bundle->bundlePath() != folder)
        bundle = std::make_unique<NSBundle>(folder);
    return use(*bundle);
}

std::string bareLanguage(const std::string& tag) { return tag.substr(0, tag.find('_')); }

} // namespace

std::string deviceText(std::string_view english)
{
    return withSystemBundle(
        [&](const NSBundle& system) { return system.localizedStringForKey(english); });
}

std::string deviceLocale()
{
    const std::string language =
        withSystemBundle([](const NSBundle& system) { return system.preferredLocalization(); });
    const auto preferred = preferred_languages();
    const std::string wanted = language.empty() ? "en" : bareLanguage(language);
    for (const auto& tag : preferred) {
        if (bareLanguage(tag) == wanted)
            return tag; // with the user's region: "pt_BR" for a table of "pt"
        if (language.empty())
            break; // English only when the user puts it first
    }
    return language.empty() ? "en_US" : language;
}

} // namespace os
