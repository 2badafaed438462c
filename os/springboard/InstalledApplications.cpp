#include "InstalledApplications.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>

namespace springboard {
namespace {

std::string decode_entities(std::string text) {
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        const std::string from = entity;
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
            text.replace(at, from.size(), plain);
    }
    return text;
}

// A file named by the bundle stays inside it: only the last part of the name counts.
std::filesystem::path file_in_bundle(const std::filesystem::path& bundle,
                                     const std::optional<std::string>& name,
                                     const std::string& fallback) {
    const auto file = std::filesystem::path(name.value_or(fallback)).filename();
    if (file.empty() || file == ".." || file == ".") return bundle / fallback;
    return bundle / file;
}

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

std::optional<std::string> plist_string(std::string_view plist, std::string_view key) {
    std::string escaped;
    for (const char c : key) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) escaped += '\\';
        escaped += c;
    }
    const std::regex pattern("<key>\\s*" + escaped + "\\s*</key>\\s*<string>([^<]*)</string>");
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_search(plist.begin(), plist.end(), match, pattern)) return std::nullopt;
    return decode_entities(match[1].str());
}

std::vector<InstalledApplication> installed_applications(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> bundles;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".app" && entry.is_directory(error))
            bundles.push_back(entry.path());
    }
    std::sort(bundles.begin(), bundles.end());

    std::vector<InstalledApplication> applications;
    for (const auto& bundle : bundles) {
        const std::string plist = read_file(bundle / "Info.plist");
        const auto identifier = plist_string(plist, "CFBundleIdentifier");
        if (!identifier || identifier->empty()) continue;
        const std::string name = bundle.stem().string();
        InstalledApplication app;
        app.identifier = *identifier;
        app.displayName = plist_string(plist, "CFBundleDisplayName")
                              .value_or(plist_string(plist, "CFBundleName").value_or(name));
        app.bundle = bundle;
        app.executable = file_in_bundle(bundle, plist_string(plist, "CFBundleExecutable"), name);
        app.icon = file_in_bundle(bundle, plist_string(plist, "CFBundleIconFile"), "icon.png");
        applications.push_back(std::move(app));
    }
    return applications;
}

} // namespace springboard
