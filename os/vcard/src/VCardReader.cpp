#include "vcard/VCardReader.h"

#include "AsciiCase.h"
#include "VCardSyntax.h"
#include "addressbook/PersonName.h"
#include "addressbook/PersonText.h"
#include "foundation/DeviceText.h"

#include <algorithm>
#include <map>

namespace contacts {
namespace {

using vcard::find_param;
using vcard::inline_bytes;
using vcard::Param;
using vcard::param_is;
using vcard::parse_property;
using vcard::Property;
using vcard::ReadError;
using vcard::split_unescaped;
using vcard::text_value;
using vcard::trim;
using vcard::unfold;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// What is said of a date that is not kept, a whole sentence for each kind of date so that each
// is translated whole; %1 is the date as written.
struct DateReasons {
    std::string_view as_text, not_a_date, lacks_month_or_day, no_valid_date;
};
constexpr DateReasons kBirthday{
    os::deviceTextKey("birthday given as text, left out"),
    os::deviceTextKey("birthday '%1' is not a date"),
    os::deviceTextKey("birthday '%1' lacks a month or a day, left out"),
    os::deviceTextKey("birthday '%1' is no valid date"),
};
constexpr DateReasons kAnniversary{
    os::deviceTextKey("anniversary given as text, left out"),
    os::deviceTextKey("anniversary '%1' is not a date"),
    os::deviceTextKey("anniversary '%1' lacks a month or a day, left out"),
    os::deviceTextKey("anniversary '%1' is no valid date"),
};
constexpr DateReasons kDate{
    os::deviceTextKey("date given as text, left out"),
    os::deviceTextKey("date '%1' is not a date"),
    os::deviceTextKey("date '%1' lacks a month or a day, left out"),
    os::deviceTextKey("date '%1' is no valid date"),
};

class CardReader {
public:
    CardReader(int begin_line, std::vector<Diagnostic>& warnings)
        : begin_line_(begin_line), warnings_(warnings)
    {
    }

    VCardEntry read(const std::vector<Property>& properties)
    {
        read_version(properties);
        if (version_ != "2.1" && version_ != "3.0" && version_ != "4.0") {
            const int line = version_line(properties);
            throw ReadError{line, os::deviceTextKey("unsupported vCard version %1"), {version_}};
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
                if (!trim(uid).empty())
                    person.uid = std::string(trim(uid));
            } else if (property.name == "BDAY" && !has_birthday) {
                person.birthday = read_date(property, kBirthday);
                has_birthday = person.birthday.has_value();
            } else if (property.name == "ANNIVERSARY") {
                if (const auto date = read_date(property, kAnniversary))
                    person.dates.push_back({"anniversary", *date});
            } else if (property.name == "X-ABDATE") {
                if (const auto date = read_date(property, kDate))
                    person.dates.push_back(
                        {group_label(property, labels_by_group).value_or("other"), *date});
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

    // The name the card gives its person, as it writes it (its FN, else the first and last name
    // of its N), to say whose card a message is about; empty when it gives none that reads.
    std::string name(const std::vector<Property>& properties)
    {
        read_version(properties);
        std::string formatted;
        ab::Person person;
        for (const auto& property : properties) {
            try {
                if (property.name == "FN" && formatted.empty())
                    formatted = std::string(trim(unescape(text_value(property))));
                else if (property.name == "N" && !person.first_name && !person.last_name)
                    read_name(property, person);
            } catch (const ReadError&) {
                // A name that does not read says nothing about the card.
            }
        }
        return formatted.empty() ? ab::full_name(person) : formatted;
    }

private:
    void read_version(const std::vector<Property>& properties)
    {
        for (const auto& property : properties)
            if (property.name == "VERSION")
                version_ = std::string(trim(property.value));
    }

    int version_line(const std::vector<Property>& properties) const
    {
        for (const auto& property : properties)
            if (property.name == "VERSION")
                return property.line;
        return begin_line_;
    }

    std::string unescape(std::string_view text) const { return vcard::unescape(text, version_); }

    void read_name(const Property& property, ab::Person& person) const
    {
        const auto parts = split_unescaped(text_value(property), ';');
        const auto part = [&](size_t i) -> std::optional<std::string> {
            if (i >= parts.size())
                return std::nullopt;
            std::string text = unescape(parts[i]);
            if (trim(text).empty())
                return std::nullopt;
            return text;
        };
        person.last_name = part(0);
        person.first_name = part(1);
    }

    // A birthday, an anniversary or another date of the person; `says` is what is said of it.
    std::optional<ab::CivilDate> read_date(const Property& property, const DateReasons& says) const
    {
        if (param_is(property, "VALUE", "TEXT")) {
            warnings_.push_back(diagnostic(property.line, says.as_text));
            return std::nullopt;
        }
        const std::string value = text_value(property);
        std::string_view text = trim(value);
        if (text.empty())
            return std::nullopt;
        const auto invalid = [&] { return ReadError{property.line, says.not_a_date, {value}}; };
        if (const auto t = text.find('T'); t != std::string_view::npos) {
            const std::string_view time = text.substr(t + 1);
            const bool time_like =
                !time.empty() && std::all_of(time.begin(), time.end(), [](char c) {
                    return is_digit(c) || c == ':' || c == '.' || c == '+' || c == '-' || c == 'Z';
                });
            if (!time_like)
                throw invalid();
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
            if (is_placeholder_year(property, date.year))
                date.year = ab::kUnknownYear;
        } else if (!digits.empty() &&
                   (no_year ? digits.size() <= 3 : digits.size() == 4 || digits.size() == 6)) {
            warnings_.push_back(diagnostic(property.line, says.lacks_month_or_day, {value}));
            return std::nullopt;
        } else {
            throw invalid();
        }
        if (!ab::is_valid_birthday(date))
            throw ReadError{property.line, says.no_valid_date, {value}};
        return date;
    }

    // Address books that cannot store a birthday without a year write one of these instead.
    static bool is_placeholder_year(const Property& property, int year)
    {
        if (year == 1604 || year == 0)
            return true;
        const Param* omit = find_param(property, "X-APPLE-OMIT-YEAR");
        return omit && !omit->values.empty() && omit->values[0] == std::to_string(year);
    }

    void read_labeled_value(const Property& property,
                            const std::map<std::string, std::string>& labels_by_group,
                            std::vector<ab::LabeledValue>& list) const
    {
        const std::string text = unescape(text_value(property));
        std::string_view value = trim(text);
        const std::string scheme = lower(value.substr(0, 7));
        if (property.name == "TEL" && scheme.starts_with("tel:"))
            value = trim(value.substr(4));
        else if (property.name == "EMAIL" && scheme == "mailto:")
            value = trim(value.substr(7));
        if (value.empty())
            return;
        list.push_back({label_of(property, labels_by_group), std::string(value)});
    }

    // The X-ABLabel of the property's group: one of the address book's own labels
    // ("_$!<Anniversary>!$_") in lower case without its marks, a custom one as written.
    static std::optional<std::string> group_label(
        const Property& property, const std::map<std::string, std::string>& labels_by_group)
    {
        const auto it = labels_by_group.find(property.group);
        if (property.group.empty() || it == labels_by_group.end())
            return std::nullopt;
        const std::string_view label = it->second;
        if (label.starts_with("_$!<") && label.ends_with(">!$_") && label.size() >= 8)
            return lower(label.substr(4, label.size() - 8));
        return it->second;
    }

    static std::string label_of(const Property& property,
                                const std::map<std::string, std::string>& labels_by_group)
    {
        if (auto label = group_label(property, labels_by_group))
            return std::move(*label);
        for (const auto& param : property.params) {
            if (param.name != "TYPE")
                continue;
            for (const auto& types : param.values) {
                // A quoted list, TYPE="cell,voice", is one value holding several types.
                for (const auto& type : split_unescaped(types, ',')) {
                    const std::string label = lower(trim(type));
                    if (label.empty() || label == "pref" || label == "voice" || label == "internet")
                        continue;
                    if (!ab::is_valid_text(label))
                        throw ReadError{property.line,
                                        os::deviceTextKey("text is not valid UTF-8")};
                    return label == "cell" ? "mobile" : label;
                }
            }
        }
        return "";
    }

    std::optional<std::vector<uint8_t>> read_photo(const Property& property) const
    {
        std::string problem;
        auto bytes = inline_bytes(property, problem);
        if (!bytes)
            warnings_.push_back(
                diagnostic(property.line, os::deviceTextKey("photo left out: %1"), {problem}));
        return bytes;
    }

    int begin_line_;
    std::vector<Diagnostic>& warnings_;
    std::string version_ = "3.0";
};

VCardReadResult read(std::string_view text, CardErrors card_errors)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    VCardReadResult result;
    int begin_line = 0; // line of the open card's BEGIN; 0 while no card is open
    std::vector<Property> card;
    std::optional<Diagnostic> card_error; // the open card's first error, when it is skipped
    const auto skip_card = [&](const ReadError& error) {
        if (card_errors == CardErrors::kRefuseFile)
            throw error;
        if (!card_error)
            card_error = error;
    };
    for (const auto& logical : unfold(text)) {
        Property property;
        try {
            property = parse_property(logical);
        } catch (const ReadError& error) {
            if (begin_line == 0)
                throw;
            skip_card(error);
            continue;
        }
        const bool is_begin = property.name == "BEGIN";
        const bool is_end = property.name == "END";
        if ((is_begin || is_end) && upper(trim(property.value)) != "VCARD")
            throw ReadError{property.line,
                            os::deviceTextKey("unexpected %1:%2"),
                            {property.name, property.value}};
        if (begin_line == 0) {
            if (!is_begin)
                throw ReadError{property.line,
                                os::deviceTextKey("text outside BEGIN:VCARD and END:VCARD")};
            begin_line = property.line;
        } else if (is_begin) {
            throw ReadError{property.line, os::deviceTextKey("BEGIN:VCARD inside a vCard")};
        } else if (is_end) {
            const size_t warnings_before = result.warnings.size();
            if (!card_error) {
                try {
                    result.entries.push_back(CardReader(begin_line, result.warnings).read(card));
                } catch (const ReadError& error) {
                    skip_card(error);
                }
            }
            if (card_error) {
                // What was left out of a card that is left out whole is not worth a word.
                result.warnings.resize(warnings_before);
                card_error->name = CardReader(begin_line, result.warnings).name(card);
                result.skipped.push_back(std::move(*card_error));
            }
            card.clear();
            card_error.reset();
            begin_line = 0;
        } else if (!card_error || property.name == "N" || property.name == "FN") {
            // A card left out keeps its names, which say whose card it was.
            card.push_back(std::move(property));
        }
    }
    if (begin_line != 0)
        throw ReadError{begin_line, os::deviceTextKey("vCard without END:VCARD")};
    if (result.entries.empty() && result.skipped.empty())
        throw ReadError{1, os::deviceTextKey("no vCard in the file")};
    return result;
}

} // namespace

VCardReadResult read_vcards(std::string_view text, CardErrors card_errors)
{
    try {
        return read(text, card_errors);
    } catch (const ReadError& error) {
        VCardReadResult failed;
        failed.error = error;
        return failed;
    }
}

} // namespace contacts
