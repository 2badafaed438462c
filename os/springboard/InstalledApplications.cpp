#include "InstalledApplications.h"

#include "foundation/Bundle.h"

#include <algorithm>

namespace springboard {
namespace {

// A file named by the bundle stays inside it: only the last part of the name counts.
std::filesystem::path file_in_bundle(const std::filesystem::path& bundle,
                                     const std::optional<std::string>& name,
                                     const std::string& fallback)
{
    const auto file = std::filesystem::path(name.value_or(fallback)).filename();
    if (file.empty() || file == ".." || file == ".")
        return bundle / fallback;
    return bundle / file;
}

} // namespace

std::vector<InstalledApplication> installed_applications(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> bundles;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".app" && entry.is_directory(error))
            bundles.push_back(entry.path());
    }
    std::sort(bundles.begin(), bundles.end());

    std::vector<InstalledApplication> applications;
    for (const auto& bundle : bundles) {
        const NSBundle info(bundle);
        const auto value = [&](std::string_view key) {
            return info.objectForInfoDictionaryKey(key);
        };
        const auto name_value = [&](std::string_view key) {
            return info.localizedObjectForInfoDictionaryKey(key);
        };
        const auto identifier = value("CFBundleIdentifier");
        if (!identifier || identifier->empty())
            continue;
        const std::string name = bundle.stem().string();
        InstalledApplication app;
        app.identifier = *identifier;
        app.displayName =
            name_value("CFBundleDisplayName").value_or(name_value("CFBundleName").value_or(name));
        app.bundle = bundle;
        app.executable = file_in_bundle(bundle, value("CFBundleExecutable"), name);
        app.icon = file_in_bundle(bundle, value("CFBundleIconFile"), "icon.png");
        app.desktopEntry = value("XDGDesktopEntry").value_or("");
        applications.push_back(std::move(app));
    }
    return applications;
}

} // namespace springboard
