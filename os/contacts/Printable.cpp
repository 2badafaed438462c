#include "Printable.h"

#include "addressbook/PersonText.h"

#include <cstdint>
#include <cstdio>

namespace contacts {
namespace {

bool shown_escaped(uint32_t code)
{
    return (code >= 0x80 && code <= 0x9F) || code == 0x061C || code == 0x200E || code == 0x200F ||
           (code >= 0x2028 && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

uint32_t decode(std::string_view character)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(character[i]); };
    switch (character.size()) {
    case 2: return (byte(0) & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    case 3: return (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    default:
        return (byte(0) & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 |
               (byte(3) & 0x3Fu);
    }
}

std::string escaped(const char* format, unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string printable(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte == '\n')
                result += "\\n";
            else if (byte == '\t')
                result += "\\t";
            else if (byte == '\r')
                result += "\\r";
            else if (byte < 0x20 || byte == 0x7F)
                result += escaped("\\x%02X", byte);
            else
                result += char(byte);
            ++i;
            continue;
        }
        const size_t length = ab::character_length(text.substr(i));
        if (length == 0) {
            result += escaped("\\x%02X", byte);
            ++i;
            continue;
        }
        const std::string_view character = text.substr(i, length);
        const uint32_t code = decode(character);
        if (shown_escaped(code))
            result += escaped("\\u%04X", code);
        else
            result += character;
        i += length;
    }
    return result;
}

} // namespace contacts
