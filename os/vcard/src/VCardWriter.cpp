#include "vcard/VCardWriter.h"

#include "AsciiCase.h"
#include "addressbook/PersonName.h"
#include "vcard/Base64.h"

#include <algorithm>
#include <initializer_list>

namespace contacts {
namespace {

// Content lines are folded at 75 bytes, never inside a UTF-8 sequence.
void append_folded(std::string& out, std::string_view line)
{
    constexpr size_t kWidth = 75;
    size_t width = kWidth;
    while (line.size() > width) {
        size_t cut = width;
        while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        width = kWidth - 1;
    }
    out.append(line).append("\r\n");
}

// A carriage return has no escape and ends a line wherever it stands, so it is dropped.
std::string escape(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        switch (c) {
        case '\\': result += "\\\\"; break;
        case '\n': result += "\\n"; break;
        case ',': result += "\\,"; break;
        case ';': result += "\\;"; break;
        case '\r': break;
        default: result += c;
        }
    }
    return result;
}

bool is_plain_word(std::string_view label)
{
    if (label.empty())
        return false;
    for (const char c : label)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'))
            return false;
    return label != "pref" && label != "voice" && label != "internet" && label != "cell";
}

// The photo's kind in lower case ("jpeg"), empty when not known.
std::string photo_type(const std::vector<uint8_t>& bytes)
{
    const auto starts = [&](std::initializer_list<uint8_t> magic) {
        return bytes.size() >= magic.size() &&
               std::equal(magic.begin(), magic.end(), bytes.begin());
    };
    if (starts({0xFF, 0xD8, 0xFF}))
        return "jpeg";
    if (starts({0x89, 'P', 'N', 'G'}))
        return "png";
    if (starts({'G', 'I', 'F', '8'}))
        return "gif";
    return "";
}

class CardWriter {
public:
    CardWriter(std::string& out, VCardVersion version)
        : out_(out), v4_(version == VCardVersion::k4_0)
    {
    }

    void write(const ab::Person& person)
    {
        line("BEGIN:VCARD");
        line(v4_ ? "VERSION:4.0" : "VERSION:3.0");
        const std::string last = escape(person.last_name.value_or(""));
        const std::string first = escape(person.first_name.value_or(""));
        line("N:" + last + ";" + first + ";;;");
        line("FN:" + escape(ab::full_name(person)));
        if (person.uid)
            line("UID:" + escape(*person.uid));
        if (person.birthday)
            line("BDAY:" + date_value(*person.birthday));
        // A card has one ANNIVERSARY at most; a second anniversary goes as the others do.
        bool anniversary_written = false;
        for (const auto& labeled : person.dates) {
            if (v4_ && !anniversary_written && labeled.label == "anniversary") {
                line("ANNIVERSARY:" + date_value(labeled.date));
                anniversary_written = true;
            } else {
                grouped("X-ABDATE:" + date_value(labeled.date), labeled.label,
                        labeled.label == "anniversary" || labeled.label == "other");
            }
        }
        for (const auto& phone : person.phones)
            labeled("TEL", phone);
        for (const auto& email : person.emails)
            labeled("EMAIL", email);
        if (!person.image_data.empty()) {
            const std::string type = photo_type(person.image_data);
            const std::string data = base64_encode(person.image_data);
            if (!v4_)
                line("PHOTO;ENCODING=b" + (type.empty() ? "" : ";TYPE=" + upper(type)) + ":" +
                     data);
            else if (type.empty())
                line("PHOTO:data:application/octet-stream;base64," + data);
            else
                line("PHOTO:data:image/" + type + ";base64," + data);
        }
        line("END:VCARD");
    }

private:
    void line(std::string_view text) { append_folded(out_, text); }

    // vCard 4.0 has dates in the basic form only ("19900603", "--0603"); 3.0 readers know the
    // extended form best.
    std::string date_value(const ab::CivilDate& date) const
    {
        std::string text = ab::iso_date_text(date);
        if (v4_)
            text.erase(std::remove(text.begin() + 2, text.end(), '-'), text.end());
        return text;
    }

    // The property, then its label as an X-ABLabel of the same group. One of the address
    // book's own labels is wrapped in "_$!<" and ">!$_", which the reader takes off again; so
    // is a custom label that already looks so, to come back as it was.
    void grouped(const std::string& property, std::string_view label, bool own_label)
    {
        const bool apple_like =
            label.size() >= 8 && label.starts_with("_$!<") && label.ends_with(">!$_");
        const std::string group = "item" + std::to_string(++groups_);
        line(group + "." + property);
        if (own_label) {
            std::string word = std::string(label);
            word[0] = char(word[0] - 'a' + 'A');
            line(group + ".X-ABLabel:_$!<" + word + ">!$_");
        } else {
            line(group +
                 ".X-ABLabel:" + (apple_like ? "_$!<" + escape(label) + ">!$_" : escape(label)));
        }
    }

    // Readers take a "tel:" or "mailto:" before the value for the scheme of a URI, and an
    // X-ABLabel between "_$!<" and ">!$_" for one of Apple's own labels; a value or label that
    // begins so is wrapped once more, so that the reader's unwrapping gives it back.
    void labeled(std::string_view name, const ab::LabeledValue& item)
    {
        const std::string_view scheme = name == "TEL" ? "tel:" : "mailto:";
        const bool scheme_like =
            lower(std::string_view(item.value).substr(0, scheme.size())) == scheme;
        const std::string value = (scheme_like ? std::string(scheme) : "") + escape(item.value);
        if (item.label.empty()) {
            line(std::string(name) + ":" + value);
        } else if (is_plain_word(item.label)) {
            const std::string type = item.label == "mobile" ? "CELL" : upper(item.label);
            line(std::string(name) + ";TYPE=" + type + ":" + value);
        } else {
            grouped(std::string(name) + ":" + value, item.label, false);
        }
    }

    std::string& out_;
    bool v4_;
    int groups_ = 0;
};

} // namespace

std::string write_vcard(const ab::Person& person, VCardVersion version)
{
    std::string out;
    CardWriter(out, version).write(person);
    return out;
}

} // namespace contacts
