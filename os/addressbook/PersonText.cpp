#include "addressbook/PersonText.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace ab {

size_t character_length(std::string_view text)
{
    if (text.empty())
        return 0;
    const auto byte = static_cast<unsigned char>(text[0]);
    if (byte == 0)
        return 0;
    if (byte < 0x80)
        return 1;
    size_t length;
    uint32_t code;
    if ((byte & 0xE0) == 0xC0) {
        length = 2;
        code = byte & 0x1Fu;
    } else if ((byte & 0xF0) == 0xE0) {
        length = 3;
        code = byte & 0x0Fu;
    } else if ((byte & 0xF8) == 0xF0) {
        length = 4;
        code = byte & 0x07u;
    } else {
        return 0;
    }
    if (length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (next & 0x3Fu);
    }
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

namespace {

// Calls visit(text, what) on every text of the person until it answers false.
template <class Person, class Visit>
void each_text(Person& person, Visit&& visit)
{
    const auto list = [&](auto& values, const char* label, const char* value) {
        for (auto& entry : values)
            if (!visit(entry.label, label) || !visit(entry.value, value))
                return false;
        return true;
    };
    const auto optional = [&](auto& text, const char* what) { return !text || visit(*text, what); };
    (void)(optional(person.first_name, "first name") && optional(person.last_name, "last name") &&
           list(person.phones, "phone label", "phone number") &&
           list(person.emails, "e-mail label", "e-mail address") &&
           std::all_of(person.dates.begin(), person.dates.end(),
                       [&](auto& entry) { return visit(entry.label, "date label"); }) &&
           optional(person.uid, "UID"));
}

} // namespace

bool is_valid_text(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t length = character_length(text.substr(i));
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string valid_text(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t length = character_length(text.substr(i));
        if (length == 0) {
            result += "\xEF\xBF\xBD";
            ++i;
        } else {
            result += text.substr(i, length);
            i += length;
        }
    }
    return result;
}

const char* invalid_text_field(const Person& person)
{
    const char* found = nullptr;
    each_text(person, [&](const std::string& text, const char* what) {
        if (!is_valid_text(text))
            found = what;
        return found == nullptr;
    });
    return found;
}

void make_texts_valid(Person& person)
{
    each_text(person, [](std::string& text, const char*) {
        if (!is_valid_text(text))
            text = valid_text(text);
        return true;
    });
}

} // namespace ab
