#include "VCardReader.h"

#include "AsciiCase.h"
#include "Base64.h"

#include "addressbook/PersonText.h"

#include <algorithm>
#include <map>

namespace contacts {
namespace {

struct Param {
    std::string name; // upper case; bare 2.1 parameters get the name they stand for
    std::vector<std::string> values;
};

struct Property {
    int line = 0;
    std::string group; // upper case
    std::string name;  // upper case
    std::vector<Param> params;
    std::string value; // as written, still escaped and encoded
};

// Thrown inside this file only, and caught where the result is made.
struct ReadError {
    int line;
    std::string message;
};

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool is_name_char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The index of the first ':' that is not inside a quoted parameter value.
std::string_view::size_type value_colon(std::string_view line) {
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return std::string_view::npos;
}

struct LogicalLine {
    int line;
    std::string text;
};

Property parse_head(std::string_view head, int line);
bool param_is(const Property& property, std::string_view name, std::string_view value);

// Only the ENCODING parameter makes a value quoted-printable (vCard 2.1 writes it bare); the same
// word in a label is just a label. A head that does not parse is no soft break: its line gives
// the error.
bool head_is_quoted_printable(std::string_view head) {
    try {
        return param_is(parse_head(head, 0), "ENCODING", "QUOTED-PRINTABLE");
    } catch (const ReadError&) {
        return false;
    }
}

// Splits at CRLF, LF or a lone CR, and joins folded lines (a line that begins with a blank
// continues the one before) and the soft line breaks of quoted-printable values (a line that
// ends with '='). Each byte is looked at a bounded number of times, so reading takes time in
// proportion to the file's size however its lines are folded.
std::vector<LogicalLine> unfold(std::string_view text) {
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
            if (lines.empty()) throw ReadError{number, "continuation line without a property"};
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
                quoted_printable = head_is_quoted_printable(std::string_view(current).substr(0, searched));
        }
        soft_break = physical.ends_with('=') && quoted_printable.value_or(false);
        if (soft_break) current.pop_back();
    }
    return lines;
}

// Parameter values may carry ^n, ^' and ^^ for a line break, a double quote and a caret.
std::string decode_carets(std::string_view text) {
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
std::string bare_param_name(std::string_view value) {
    static const char* const kEncodings[] = {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT", "7BIT"};
    const std::string name = upper(value);
    for (const char* encoding : kEncodings)
        if (name == encoding) return "ENCODING";
    return "TYPE";
}

Property parse_property(const LogicalLine& logical) {
    const std::string_view line = logical.text;
    const auto colon = value_colon(line);
    if (colon == std::string_view::npos) throw ReadError{logical.line, "property line without ':'"};
    Property property = parse_head(line.substr(0, colon), logical.line);
    property.value = std::string(line.substr(colon + 1));
    return property;
}

// The group, name and parameters before the value's ':'.
Property parse_head(std::string_view head, int line) {
    Property property;
    property.line = line;

    size_t i = 0;
    while (i < head.size() && is_name_char(head[i])) ++i;
    if (i < head.size() && head[i] == '.') {
        property.group = upper(head.substr(0, i));
        head.remove_prefix(i + 1);
        i = 0;
        while (i < head.size() && is_name_char(head[i])) ++i;
    }
    if (i == 0 || (i < head.size() && head[i] != ';'))
        throw ReadError{line, "invalid property name"};
    property.name = upper(head.substr(0, i));
    head.remove_prefix(i);

    while (!head.empty()) {
        head.remove_prefix(1); // the ';'
        size_t n = 0;
        while (n < head.size() && is_name_char(head[n])) ++n;
        Param param;
        const bool named = n < head.size() && head[n] == '=';
        std::string_view rest = head.substr(named ? n + 1 : 0);
        for (;;) {
            std::string value;
            if (!rest.empty() && rest[0] == '"') {
                const auto close = rest.find('"', 1);
                if (close == std::string_view::npos)
                    throw ReadError{line, "unterminated quoted parameter value"};
                value = decode_carets(rest.substr(1, close - 1));
                rest.remove_prefix(close + 1);
            } else {
                const auto end = std::min(rest.find_first_of(";,"), rest.size());
                value = decode_carets(trim(rest.substr(0, end)));
                rest.remove_prefix(end);
            }
            param.values.push_back(std::move(value));
            if (rest.empty() || rest[0] != ',') break;
            rest.remove_prefix(1);
        }
        if (!rest.empty() && rest[0] != ';') throw ReadError{line, "invalid parameter"};
        if (named) {
            param.name = upper(head.substr(0, n));
        } else {
            if (param.values.size() != 1 || param.values[0].empty())
                throw ReadError{line, "invalid parameter"};
            param.name = bare_param_name(param.values[0]);
        }
        property.params.push_back(std::move(param));
        head = rest;
    }
    return property;
}

const Param* find_param(const Property& property, std::string_view name) {
    for (const auto& param : property.params)
        if (param.name == name) return &param;
    return nullptr;
}

bool param_is(const Property& property, std::string_view name, std::string_view value) {
    for (const auto& param : property.params)
        if (param.name == name)
            for (const auto& v : param.values)
                if (upper(v) == value) return true;
    return false;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string decode_quoted_printable(std::string_view text) {
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

std::string latin1_to_utf8(std::string_view text) {
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
std::string line_breaks_as_newlines(std::string_view text) {
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

// The value as UTF-8 text, before unescaping: quoted-printable decoded, other charsets converted.
std::string text_value(const Property& property) {
    std::string value = param_is(property, "ENCODING", "QUOTED-PRINTABLE")
                            ? decode_quoted_printable(property.value)
                            : property.value;
    if (const Param* charset = find_param(property, "CHARSET");
        charset && !charset->values.empty()) {
        const std::string name = upper(charset->values[0]);
        if (name == "ISO-8859-1" || name == "LATIN1" || name == "ISO_8859-1")
            value = latin1_to_utf8(value);
        else if (name != "UTF-8" && name != "US-ASCII")
            throw ReadError{property.line, "unsupported character set " + charset->values[0]};
    }
    if (!ab::is_valid_text(value)) throw ReadError{property.line, "text is not valid UTF-8"};
    return line_breaks_as_newlines(value);
}

// Splits on the separator where it is not escaped; the parts keep their escapes.
std::vector<std::string> split_unescaped(std::string_view text, char separator) {
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

class CardReader {
public:
    CardReader(int begin_line, std::vector<Diagnostic>& warnings)
        : begin_line_(begin_line), warnings_(warnings) {}

    VCardEntry read(const std::vector<Property>& properties) {
        for (const auto& property : properties)
            if (property.name == "VERSION") version_ = std::string(trim(property.value));
        if (version_ != "2.1" && version_ != "3.0" && version_ != "4.0") {
            const int line = version_line(properties);
            throw ReadError{line, "unsupported vCard version " + version_};
        }
        std::map<std::string, std::string> labels_by_group;
        for (const auto& property : properties)
            if (property.name == "X-ABLABEL" && !property.group.empty())
                labels_by_group.emplace(property.group, unescape(text_value(property)));

        VCardEntry entry;
        entry.line = begin_line_;
        std::optional<std::string> formatted_name;
        bool has_birthday = false;
        for (const auto& property : properties) {
            ab::Person& person = entry.person;
            if (property.name == "N") {
                read_name(property, person);
            } else if (property.name == "FN") {
                formatted_name = unescape(text_value(property));
            } else if (property.name == "UID" && !person.uid) {
                const std::string uid = unescape(text_value(property));
                if (!trim(uid).empty()) person.uid = std::string(trim(uid));
            } else if (property.name == "BDAY" && !has_birthday) {
                person.birthday = read_birthday(property);
                has_birthday = person.birthday.has_value();
            } else if (property.name == "TEL" || property.name == "EMAIL") {
                auto& list = property.name == "TEL" ? person.phones : person.emails;
                read_labeled_value(property, labels_by_group, list);
            } else if (property.name == "PHOTO" && person.image_data.empty()) {
                if (auto photo = read_photo(property)) {
                    person.image_data = std::move(*photo);
                    entry.photo_line = property.line;
                }
            }
        }
        auto& person = entry.person;
        if (!person.first_name && !person.last_name && formatted_name && !formatted_name->empty())
            person.first_name = formatted_name;
        return entry;
    }

private:
    int version_line(const std::vector<Property>& properties) const {
        for (const auto& property : properties)
            if (property.name == "VERSION") return property.line;
        return begin_line_;
    }

    std::string unescape(std::string_view text) const {
        const std::string_view escapable = version_ == "2.1" ? ";" : "nN\\,;:";
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

    void read_name(const Property& property, ab::Person& person) const {
        const auto parts = split_unescaped(text_value(property), ';');
        const auto part = [&](size_t i) -> std::optional<std::string> {
            if (i >= parts.size()) return std::nullopt;
            std::string text = unescape(parts[i]);
            if (trim(text).empty()) return std::nullopt;
            return text;
        };
        person.last_name = part(0);
        person.first_name = part(1);
    }

    std::optional<ab::CivilDate> read_birthday(const Property& property) const {
        if (param_is(property, "VALUE", "TEXT")) {
            warnings_.push_back({property.line, "birthday given as text, left out"});
            return std::nullopt;
        }
        const std::string value = text_value(property);
        std::string_view text = trim(value);
        if (text.empty()) return std::nullopt;
        const auto invalid = [&] {
            return ReadError{property.line, "birthday '" + value + "' is not a date"};
        };
        if (const auto t = text.find('T'); t != std::string_view::npos) {
            const std::string_view time = text.substr(t + 1);
            const bool time_like =
                !time.empty() && std::all_of(time.begin(), time.end(), [](char c) {
                    return is_digit(c) || c == ':' || c == '.' || c == '+' || c == '-' || c == 'Z';
                });
            if (!time_like) throw invalid();
            text = text.substr(0, t);
        }
        // "--MMDD" has no year; "---DD" has only a day.
        const bool day_only = text.starts_with("---");
        const bool no_year = text.starts_with("--");
        text.remove_prefix(day_only ? 3 : no_year ? 2 : 0);
        std::string digits;
        for (size_t i = 0; i < text.size(); ++i) {
            if (is_digit(text[i]))
                digits += text[i];
            else if (text[i] != '-' || i == 0 || i + 1 == text.size() || text[i + 1] == '-')
                throw invalid();
        }
        const auto number = [&](size_t from, size_t count) {
            return std::stoi(digits.substr(from, count));
        };
        ab::CivilDate date;
        if (no_year && !day_only && digits.size() == 4 && text.size() <= 5) {
            date = {ab::kUnknownYear, number(0, 2), number(2, 2)};
        } else if (!no_year && digits.size() == 8 && text.size() <= 10) {
            date = {number(0, 4), number(4, 2), number(6, 2)};
            if (is_placeholder_year(property, date.year)) date.year = ab::kUnknownYear;
        } else if (!digits.empty() &&
                   (no_year ? digits.size() <= 3 : digits.size() == 4 || digits.size() == 6)) {
            warnings_.push_back(
                {property.line, "birthday '" + value + "' lacks a month or a day, left out"});
            return std::nullopt;
        } else {
            throw invalid();
        }
        if (!ab::is_valid_birthday(date))
            throw ReadError{property.line, "birthday '" + value + "' is no valid date"};
        return date;
    }

    // Address books that cannot store a birthday without a year write one of these instead.
    static bool is_placeholder_year(const Property& property, int year) {
        if (year == 1604 || year == 0) return true;
        const Param* omit = find_param(property, "X-APPLE-OMIT-YEAR");
        return omit && !omit->values.empty() && omit->values[0] == std::to_string(year);
    }

    void read_labeled_value(const Property& property,
                            const std::map<std::string, std::string>& labels_by_group,
                            std::vector<ab::LabeledValue>& list) const {
        const std::string text = unescape(text_value(property));
        std::string_view value = trim(text);
        const std::string scheme = lower(value.substr(0, 7));
        if (property.name == "TEL" && scheme.starts_with("tel:"))
            value = trim(value.substr(4));
        else if (property.name == "EMAIL" && scheme == "mailto:")
            value = trim(value.substr(7));
        if (value.empty()) return;
        list.push_back({label_of(property, labels_by_group), std::string(value)});
    }

    static std::string label_of(const Property& property,
                                const std::map<std::string, std::string>& labels_by_group) {
        if (const auto it = labels_by_group.find(property.group);
            !property.group.empty() && it != labels_by_group.end()) {
            const std::string_view label = it->second;
            if (label.starts_with("_$!<") && label.ends_with(">!$_") && label.size() >= 8)
                return lower(label.substr(4, label.size() - 8));
            return it->second;
        }
        for (const auto& param : property.params) {
            if (param.name != "TYPE") continue;
            for (const auto& types : param.values) {
                // A quoted list, TYPE="cell,voice", is one value holding several types.
                for (const auto& type : split_unescaped(types, ',')) {
                    const std::string label = lower(trim(type));
                    if (label.empty() || label == "pref" || label == "voice" || label == "internet")
                        continue;
                    if (!ab::is_valid_text(label))
                        throw ReadError{property.line, "text is not valid UTF-8"};
                    return label == "cell" ? "mobile" : label;
                }
            }
        }
        return "";
    }

    std::optional<std::vector<uint8_t>> read_photo(const Property& property) const {
        const std::string_view value = trim(property.value);
        std::string_view data;
        if (lower(value.substr(0, 5)) == "data:") {
            const auto comma = value.find(',');
            const std::string media = lower(value.substr(0, comma));
            if (comma == std::string_view::npos || !media.ends_with(";base64")) {
                warnings_.push_back({property.line, "photo left out: data URI is not base64"});
                return std::nullopt;
            }
            data = value.substr(comma + 1);
        } else if (param_is(property, "ENCODING", "B") ||
                   param_is(property, "ENCODING", "BASE64")) {
            data = value;
        } else {
            warnings_.push_back({property.line, "photo left out: not inline in the file"});
            return std::nullopt;
        }
        auto bytes = base64_decode(data);
        if (!bytes || bytes->empty()) {
            warnings_.push_back({property.line, "photo left out: not valid base64"});
            return std::nullopt;
        }
        return bytes;
    }

    int begin_line_;
    std::vector<Diagnostic>& warnings_;
    std::string version_ = "3.0";
};

VCardReadResult read(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    VCardReadResult result;
    int begin_line = 0; // line of the open card's BEGIN; 0 while no card is open
    std::vector<Property> card;
    for (const auto& logical : unfold(text)) {
        Property property = parse_property(logical);
        const bool is_begin = property.name == "BEGIN";
        const bool is_end = property.name == "END";
        if ((is_begin || is_end) && upper(trim(property.value)) != "VCARD")
            throw ReadError{property.line, "unexpected " + property.name + ":" + property.value};
        if (begin_line == 0) {
            if (!is_begin) throw ReadError{property.line, "text outside BEGIN:VCARD and END:VCARD"};
            begin_line = property.line;
        } else if (is_begin) {
            throw ReadError{property.line, "BEGIN:VCARD inside a vCard"};
        } else if (is_end) {
            result.entries.push_back(CardReader(begin_line, result.warnings).read(card));
            card.clear();
            begin_line = 0;
        } else {
            card.push_back(std::move(property));
        }
    }
    if (begin_line != 0) throw ReadError{begin_line, "vCard without END:VCARD"};
    if (result.entries.empty()) throw ReadError{1, "no vCard in the file"};
    return result;
}

} // namespace

VCardReadResult read_vcards(std::string_view text) {
    try {
        return read(text);
    } catch (const ReadError& error) {
        VCardReadResult failed;
        failed.error = Diagnostic{error.line, error.message};
        return failed;
    }
}

} // namespace contacts
