#pragma once
// Reading values from the text of an XML property list.
#include <optional>
#include <string>
#include <string_view>

namespace os {

// The string value of a key of an XML property list's top dictionary, entities decoded; nullopt
// when the key is missing or holds no string.
std::optional<std::string> plist_string(std::string_view plist, std::string_view key);

} // namespace os
