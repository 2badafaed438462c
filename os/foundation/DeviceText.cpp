#include "foundation/DeviceText.h"

#include "foundation/Bundle.h"
#include "foundation/Device.h"
#include "foundation/Placeholders.h"

#include <memory>
#include <mutex>
#include <span>
#include <vector>

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

std::string deviceText(std::string_view english, std::initializer_list<std::string_view> values)
{
    return deviceText(english, std::span(values.begin(), values.size()));
}

std::string deviceText(std::string_view english, std::span<const std::string_view> values)
{
    return substituted(deviceText(english), values);
}

std::string deviceTextForCount(size_t count, std::string_view one, std::string_view other,
                               std::initializer_list<std::string_view> values)
{
    // A catalogue keys a plural entry by both English forms, and holds its forms the same way.
    std::string key(one);
    key += '\0';
    key += other;
    const std::string forms = deviceText(key);
    const size_t split = forms.find('\0');
    const std::string form = count == 1 ? forms.substr(0, split)
                                        : forms.substr(split == std::string::npos ? 0 : split + 1);
    const std::string number = std::to_string(count);
    std::vector<std::string_view> all{number};
    all.insert(all.end(), values);
    return substituted(form, all);
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
