#pragma once
// The main bundle is the folder of the running program. Its identifier comes from the bundle's
// own Info.plist (key CFBundleIdentifier); its localised texts come from compiled gettext
// catalogues at locale/<language>/LC_MESSAGES/Localizable.mo inside the bundle, with the English
// text as the key.
#include "foundation/MoCatalog.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class NSBundle {
public:
    explicit NSBundle(std::filesystem::path folder);

    // The bundle of the running program. Tests may point it elsewhere with setMainBundlePath.
    static NSBundle& mainBundle();
    static void setMainBundlePath(const std::filesystem::path& folder);

    const std::filesystem::path& bundlePath() const { return folder_; }

    // CFBundleIdentifier of Info.plist without surrounding white space; empty when the file or
    // the key is missing.
    std::string bundleIdentifier() const;

    // The string value of the key in the bundle's Info.plist; nullopt when the file is missing or
    // the key holds no string.
    std::optional<std::string> objectForInfoDictionaryKey(std::string_view key) const;

    // The value of a key that names the bundle to its user (CFBundleDisplayName, CFBundleName)
    // in the user's language: the bundle's own table translates it, with the English value as
    // the key, as it translates the bundle's other texts. Names the system matches a program by
    // (its executable, its window class, its desktop entry) stay objectForInfoDictionaryKey's.
    std::optional<std::string> localizedObjectForInfoDictionaryKey(std::string_view key) const;

    // The most preferred of the user's languages that the bundle has a table for ("pt"); empty
    // when it has none of them, and its texts are English.
    std::string preferredLocalization() const;

    // The entry of the default table for the key in the user's preferred language; else the value
    // when it is not empty; else the key itself. The table name is accepted for the platform's
    // signature and must be empty (only the default table exists).
    std::string localizedStringForKey(std::string_view key, std::string_view value = {},
                                      std::string_view table = {}) const;

    // The full path of a resource file of the bundle, or nullopt when it does not exist.
    std::optional<std::filesystem::path> pathForResource(std::string_view name) const;

private:
    const os::MoCatalog* catalogue_for(const std::string& language) const;

    std::filesystem::path folder_;
    mutable std::map<std::string, std::optional<os::MoCatalog>> catalogues_;
};

namespace os {
// The user's preferred languages, most preferred first, each also followed by its bare language
// ("pt_BR" then "pt"): LANGUAGE (a colon list), else LC_ALL, LC_MESSAGES or LANG. "C" and
// "POSIX" mean English, which needs no table.
std::vector<std::string> preferred_languages();
} // namespace os
