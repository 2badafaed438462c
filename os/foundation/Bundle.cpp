#include "foundation/Bundle.h"

#include "foundation/PropertyList.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// White space around a value in Info.plist is layout, not part of the value.
constexpr const char* kWhiteSpace = " \t\n\v\f\r";

std::filesystem::path running_program_folder()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path();
    return exe.parent_path();
}

std::unique_ptr<NSBundle>& main_bundle_slot()
{
    static std::unique_ptr<NSBundle> slot;
    return slot;
}

void add_language(std::vector<std::string>& out, std::string tag)
{
    const auto cut = tag.find_first_of(".@");
    if (cut != std::string::npos)
        tag.resize(cut);
    if (tag.empty() || tag == "C" || tag == "POSIX")
        return;
    out.push_back(tag);
    const auto underscore = tag.find('_');
    if (underscore != std::string::npos)
        out.push_back(tag.substr(0, underscore));
}

} // namespace

namespace os {

std::vector<std::string> preferred_languages()
{
    std::vector<std::string> languages;
    const char* list = std::getenv("LANGUAGE");
    if (list != nullptr && *list != '\0') {
        std::string rest = list;
        size_t start = 0;
        while (start <= rest.size()) {
            const size_t end = rest.find(':', start);
            add_language(languages, rest.substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        if (!languages.empty())
            return languages;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            add_language(languages, value);
            break;
        }
    }
    return languages;
}

} // namespace os

NSBundle::NSBundle(std::filesystem::path folder) : folder_(std::move(folder)) {}

NSBundle& NSBundle::mainBundle()
{
    auto& slot = main_bundle_slot();
    if (!slot)
        slot = std::make_unique<NSBundle>(running_program_folder());
    return *slot;
}

void NSBundle::setMainBundlePath(const std::filesystem::path& folder)
{
    main_bundle_slot() = std::make_unique<NSBundle>(folder);
}

std::string NSBundle::bundleIdentifier() const
{
    const std::string identifier = objectForInfoDictionaryKey("CFBundleIdentifier").value_or("");
    const auto first = identifier.find_first_not_of(kWhiteSpace);
    if (first == std::string::npos)
        return {};
    return identifier.substr(first, identifier.find_last_not_of(kWhiteSpace) + 1 - first);
}

std::optional<std::string> NSBundle::objectForInfoDictionaryKey(std::string_view key) const
{
    std::ifstream in(folder_ / "Info.plist");
    if (!in)
        return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return os::plist_string(text, key);
}

std::optional<std::string> NSBundle::localizedObjectForInfoDictionaryKey(std::string_view key) const
{
    auto value = objectForInfoDictionaryKey(key);
    if (value)
        value = localizedStringForKey(*value);
    return value;
}

const os::MoCatalog* NSBundle::catalogue_for(const std::string& language) const
{
    auto it = catalogues_.find(language);
    if (it == catalogues_.end()) {
        it = catalogues_
                 .emplace(language, os::MoCatalog::load(folder_ / "locale" / language /
                                                        "LC_MESSAGES" / "Localizable.mo"))
                 .first;
    }
    return it->second ? &*it->second : nullptr;
}

std::string NSBundle::preferredLocalization() const
{
    for (const auto& language : os::preferred_languages())
        if (catalogue_for(language))
            return language;
    return {};
}

std::string NSBundle::localizedStringForKey(std::string_view key, std::string_view value,
                                            std::string_view /*table*/) const
{
    // The most preferred language that has a table answers alone.
    const std::string language = preferredLocalization();
    if (!language.empty()) {
        if (const std::string* text = catalogue_for(language)->find(key))
            return *text;
    }
    if (!value.empty())
        return std::string(value);
    return std::string(key);
}

std::optional<std::filesystem::path> NSBundle::pathForResource(std::string_view name) const
{
    auto path = folder_ / std::filesystem::path(name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    return path;
}
