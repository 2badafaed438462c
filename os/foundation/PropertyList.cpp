#include "foundation/PropertyList.h"

#include <cctype>
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

// Read by hand rather than by a regular expression: std::regex compiles its pattern on every
// call, which cost each program's start a tenth of its instructions for a handful of keys.
std::optional<std::string> plist_string(std::string_view plist, std::string_view key)
{
    const auto skipSpace = [](std::string_view& text) {
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
            text.remove_prefix(1);
    };
    const auto consume = [](std::string_view& text, std::string_view prefix) {
        if (!text.starts_with(prefix))
            return false;
        text.remove_prefix(prefix.size());
        return true;
    };
    constexpr std::string_view kKey = "<key>";
    for (size_t at = plist.find(kKey); at != std::string_view::npos;
         at = plist.find(kKey, at + 1)) {
        std::string_view rest = plist.substr(at + kKey.size());
        skipSpace(rest);
        if (!consume(rest, key))
            continue;
        skipSpace(rest);
        if (!consume(rest, "</key>"))
            continue;
        skipSpace(rest);
        if (!consume(rest, "<string>"))
            continue;
        const size_t end = rest.find('<');
        if (end == std::string_view::npos || !rest.substr(end).starts_with("</string>"))
            continue;
        return decode_entities(std::string(rest.substr(0, end)));
    }
    return std::nullopt;
}

} // namespace os
