#include "addressbook/PersonName.h"

namespace ab {

std::string full_name(std::string_view first, std::string_view last)
{
    std::string name;
    name.reserve(first.size() + 1 + last.size());
    name.append(first);
    if (!first.empty() && !last.empty())
        name += ' ';
    return name.append(last);
}

std::string full_name(const Person& person)
{
    const auto part = [](const std::optional<std::string>& name) {
        return name ? std::string_view(*name) : std::string_view();
    };
    return full_name(part(person.first_name), part(person.last_name));
}

} // namespace ab
