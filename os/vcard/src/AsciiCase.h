#pragma once
// Case of the ASCII letters only, as vCard names and parameters compare; other bytes (UTF-8
// included) stay as they are.
#include <string>
#include <string_view>

namespace contacts {

inline std::string upper(std::string_view text)
{
    std::string result(text);
    for (auto& c : result)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return result;
}

inline std::string lower(std::string_view text)
{
    std::string result(text);
    for (auto& c : result)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return result;
}

} // namespace contacts
