#include "VCardSyntax.h"

#include "AsciiCase.h"
#include "addressbook/PersonText.h"
#include "foundation/DeviceText.h"
#include "vcard/Base64.h"

#include <algorithm>

namespace contacts::vcard {
namespace {

bool is_name_char(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// The index of the first ':' that is not inside a quoted parameter value.
std::string_view::size_type value_colon(std::string_view line)
{
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return std::string_view::npos;
}

// Parameter values may carry ^n, ^' and ^^ for a line break, a double quote and a caret.
std::string decode_carets(std::string_view text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n') {
                result += '\n';
                ++i;
                continue;
            }
            if (next == '\'') {
                result += '"';
                ++i;
                continue;
            }
            if (next == '^') {
                result += '^';
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

// vCard 2.1 writes some parameters bare: "TEL;HOME;VOICE:", "PHOTO;BASE64:".
std::string bare_param_name(std::string_view value)
{
    static const char* const kEncodings[] = {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT", "7BIT"};
    const std::string name = upper(value);
    for (const char* encoding : kEncodings)
        if (name == encoding)
            return "ENCODING";
    return "TYPE";
}

// The group, name and parameters before the value's ':'.
Property parse_head(std::string_view head, int line)
{
    Property property;
    property.line = line;

    size_t i = 0;
    while (i < head.size() && is_name_char(head[i]))
        ++i;
    if (i < head.size() && head[i] == '.') {
        property.group = upper(head.substr(0, i));
        head.remove_prefix(i + 1);
        i = 0;
        while (i < head.size() && is_name_char(head[i]))
            ++i;
    }
    if (i == 0 || (i < head.size() && head[i] != ';'))
        throw ReadError{line, os::deviceTextKey("invalid property name")};
    property.name = upper(head.substr(0, i));
    head.remove_prefix(i);

    while (!head.empty()) {
        head.remove_prefix(1); // the ';'
        size_t n = 0;
        while (n < head.size() && is_name_char(head[n]))
            ++n;
        Param param;
        const bool named = n < head.size() && head[n] == '=';
        std::string_view rest = head.substr(named ? n + 1 : 0);
        for (;;) {
            std::string value;
            if (!rest.empty() && rest[0] == '"') {
                const auto close = rest.find('"', 1);
                if (close == std::string_view::npos)
                    throw ReadError{line, os::deviceTextKey("unterminated quoted parameter value")};
                value = decode_carets(rest.substr(1, close - 1));
                rest.remove_prefix(close + 1);
            } else {
                const auto end = std::min(rest.find_first_of(";,"), rest.size());
                value = decode_carets(trim(rest.substr(0, end)));
                rest.remove_prefix(end);
            }
            param.values.push_back(std::move(value));
            if (rest.empty() || rest[0] != ',')
                break;
            rest.remove_prefix(1);
        }
        if (!rest.empty() && rest[0] != ';')
            throw ReadError{line, os::deviceTextKey("invalid parameter")};
        if (named) {
            param.name = upper(head.substr(0, n));
        } else {
            if (param.values.size() != 1 || param.values[0].empty())
                throw ReadError{line, os::deviceTextKey("invalid parameter")};
            param.name = bare_param_name(param.values[0]);
        }
        property.params.push_back(std::move(param));
        head = rest;
    }
    return property;
}

// Only the ENCODING parameter makes a value quoted-printable (vCard 2.1 writes it bare); the same
// word in a label is just a label. A head that does not parse is no soft break: its line gives
// the error.
bool head_is_quoted_printable(std::string_view head)
{
    try {
        return param_is(parse_head(head, 0), "ENCODING", "QUOTED-PRINTABLE");
    } catch (const ReadError&) {
        return false;
    }
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string decode_quoted_printable(std::string_view text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 &&
            hex_digit(text[i + 2]) >= 0) {
            result += char(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string latin1_to_utf8(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result += c;
        } else {
            result += char(0xC0 | byte >> 6);
            result += char(0x80 | (byte & 0x3F));
        }
    }
    return result;
}

// A quoted-printable value may hold carriage returns, which no vCard can write back unencoded;
// a line break is kept as the one character that every version can escape.
std::string line_breaks_as_newlines(std::string_view text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            result += text[i];
        } else if (i + 1 == text.size() || text[i + 1] != '\n') {
            result += '\n';
        }
    }
    return result;
}

} // namespace

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Splits at CRLF, LF or a lone CR, and joins folded lines (a line that begins with a blank
// continues the one before) and the soft line breaks of quoted-printable values (a line that
// ends with '='). Each byte is looked at a bounded number of times, so reading takes time in
// proportion to the file's size however its lines are folded.
std::vector<LogicalLine> unfold(std::string_view text)
{
    std::vector<LogicalLine> lines;
    bool soft_break = false;
    // Of the logical line being joined: how far the search for its value's ':' has come, and
    // once that is found, whether the value is quoted-printable.
    size_t searched = 0;
    bool quoted = false;
    std::optional<bool> quoted_printable;
    int number = 0;
    while (!text.empty()) {
        const auto end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view physical = text.substr(0, end);
        const bool crlf = text.substr(end).starts_with("\r\n");
        text.remove_prefix(std::min(text.size(), end + (crlf ? 2 : 1)));
        ++number;

        if (soft_break) {
            lines.back().text += physical;
        } else if (!physical.empty() && (physical[0] == ' ' || physical[0] == '\t')) {
            if (lines.empty())
                throw ReadError{number, os::deviceTextKey("continuation line without a property")};
            lines.back().text += physical.substr(1);
        } else if (physical.empty()) {
            continue;
        } else {
            lines.push_back({number, std::string(physical)});
            searched = 0;
            quoted = false;
            quoted_printable.reset();
        }
        auto& current = lines.back().text;
        for (; !quoted_printable && searched < current.size(); ++searched) {
            if (current[searched] == '"')
                quoted = !quoted;
            else if (current[searched] == ':' && !quoted)
                quoted_printable =
                    head_is_quoted_printable(std::string_view(current).substr(0, searched));
        }
        soft_break = physical.ends_with('=') && quoted_printable.value_or(false);
        if (soft_break)
            current.pop_back();
    }
    return lines;
}

Property parse_property(const LogicalLine& logical)
{
    const std::string_view line = logical.text;
    const auto colon = value_colon(line);
    if (colon == std::string_view::npos)
        throw ReadError{logical.line, os::deviceTextKey("property line without ':'")};
    Property property = parse_head(line.substr(0, colon), logical.line);
    property.value = std::string(line.substr(colon + 1));
    return property;
}

const Param* find_param(const Property& property, std::string_view name)
{
    for (const auto& param : property.params)
        if (param.name == name)
            return &param;
    return nullptr;
}

bool param_is(const Property& property, std::string_view name, std::string_view value)
{
    for (const auto& param : property.params)
        if (param.name == name)
            for (const auto& v : param.values)
                if (upper(v) == value)
                    return true;
    return false;
}

std::string text_value(const Property& property)
{
    std::string value = param_is(property, "ENCODING", "QUOTED-PRINTABLE")
                            ? decode_quoted_printable(property.value)
                            : property.value;
    if (const Param* charset = find_param(property, "CHARSET");
        charset && !charset->values.empty()) {
        const std::string name = upper(charset->values[0]);
        if (name == "ISO-8859-1" || name == "LATIN1" || name == "ISO_8859-1")
            value = latin1_to_utf8(value);
        else if (name != "UTF-8" && name != "US-ASCII")
            throw ReadError{property.line,
                            os::deviceTextKey("unsupported character set %1"),
                            {charset->values[0]}};
    }
    if (!ab::is_valid_text(value))
        throw ReadError{property.line, os::deviceTextKey("text is not valid UTF-8")};
    return line_breaks_as_newlines(value);
}

std::vector<std::string> split_unescaped(std::string_view text, char separator)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            parts.back() += text.substr(i, 2);
            ++i;
        } else if (text[i] == separator) {
            parts.emplace_back();
        } else {
            parts.back() += text[i];
        }
    }
    return parts;
}

std::string unescape(std::string_view text, std::string_view version)
{
    const std::string_view escapable = version == "2.1" ? ";" : "nN\\,;:";
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size() ||
            escapable.find(text[i + 1]) == std::string_view::npos) {
            result += text[i];
            continue;
        }
        const char next = text[++i];
        result += next == 'n' || next == 'N' ? '\n' : next;
    }
    return result;
}

std::optional<std::vector<uint8_t>> inline_bytes(const Property& property, std::string& problem)
{
    const std::string_view value = trim(property.value);
    std::string_view data;
    if (lower(value.substr(0, 5)) == "data:") {
        const auto comma = value.find(',');
        const std::string media = lower(value.substr(0, comma));
        if (comma == std::string_view::npos || !media.ends_with(";base64")) {
            problem = "data URI is not base64";
            return std::nullopt;
        }
        data = value.substr(comma + 1);
    } else if (param_is(property, "ENCODING", "B") || param_is(property, "ENCODING", "BASE64")) {
        data = value;
    } else {
        problem = "not inline in the file";
        return std::nullopt;
    }
    auto bytes = base64_decode(data);
    if (!bytes || bytes->empty()) {
        problem = "not valid base64";
        return std::nullopt;
    }
    return bytes;
}

} // namespace contacts::vcard
