#include "foundation/PropertyList.h"

#include <regex>
#include <utility>

namespace os {
namespace {

std::string decode_entities(std::string text)
{
    static const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        const std::string from = entity;
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
            text.replace(at, from.size(), plain);
    }
    return text;
}

} // namespace

std::optional<std::string> plist_string(std::string_view plist, std::string_view key)
{
    std::string escaped;
    for (const char c : key) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos)
            escaped += '\\';
        escaped += c;
    }
    const std::regex pattern("<key>\\s*" + escaped + "\\s*</key>\\s*<string>([^<]*)</string>");
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_search(plist.begin(), plist.end(), match, pattern))
        return std::nullopt;
    return decode_entities(match[1].str());
}

} // namespace os
