#pragma once
// The syntax of vCard lines, apart from what a card's properties mean: lines unfolded, a line
// cut into group, name, parameters and value, and a value decoded (quoted-printable, base64,
// character sets, escapes). VCardReader gives the properties their meaning.
//
// Input is untrusted: a line that cannot be read throws ReadError with its line, never more.
#include "vcard/Diagnostic.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace contacts::vcard {

// What makes a file unusable, thrown by either half and caught where read_vcards makes its
// result.
struct ReadError : Diagnostic {
    // The reason must be a literal marked os::deviceTextKey.
    ReadError(int at, std::string_view why, std::vector<std::string> quoted = {})
        : Diagnostic(diagnostic(at, why, std::move(quoted)))
    {
    }
};

struct Param {
    std::string name; // upper case; bare 2.1 parameters get the name they stand for
    std::vector<std::string> values;
};

struct Property {
    int line = 0;
    std::string group; // upper case
    std::string name; // upper case
    std::vector<Param> params;
    std::string value; // as written, still escaped and encoded
};

// One property's text with its folds and soft line breaks joined.
struct LogicalLine {
    int line; // of its first physical line
    std::string text;
};

std::string_view trim(std::string_view text);

// Splits at CRLF, LF or a lone CR, skips empty lines, and joins folded lines and the soft line
// breaks of quoted-printable values.
std::vector<LogicalLine> unfold(std::string_view text);

Property parse_property(const LogicalLine& logical);

const Param* find_param(const Property& property, std::string_view name);
// Whether a parameter of that name has the value, compared in upper case.
bool param_is(const Property& property, std::string_view name, std::string_view value);

// The value as UTF-8 text, before unescaping: quoted-printable decoded, other charsets converted.
std::string text_value(const Property& property);

// Splits on the separator where it is not escaped; the parts keep their escapes.
std::vector<std::string> split_unescaped(std::string_view text, char separator);

// The escapes of a text value resolved; which characters a backslash escapes depends on the
// card's version.
std::string unescape(std::string_view text, std::string_view version);

// The bytes of a value written inline: a base64 "data:" URI, or a value with ENCODING=B or
// BASE64. Otherwise nullopt, and `problem` says why.
std::optional<std::vector<uint8_t>> inline_bytes(const Property& property, std::string& problem);

} // namespace contacts::vcard
