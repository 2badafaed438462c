#include "NameList.h"

#include "foundation/Bundle.h"

#include <initializer_list>

namespace springboard {
namespace {

// The translated pattern with each "%@" replaced by the next part, in order.
std::string fill_in(std::string_view english, std::initializer_list<std::string> parts)
{
    std::string text = NSBundle::mainBundle().localizedStringForKey(english);
    size_t from = 0;
    for (const std::string& part : parts) {
        const size_t at = text.find("%@", from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, part);
        from = at + part.size();
    }
    return text;
}

} // namespace

std::string names_in_a_line(const std::vector<std::string>& names)
{
    switch (names.size()) {
    case 0: return {};
    case 1: return names[0];
    case 2: return fill_in("%@ and %@", {names[0], names[1]});
    case 3: return fill_in("%@, %@ and %@", {names[0], names[1], names[2]});
    default:
        return fill_in("%@, %@ and %@ more",
                       {names[0], names[1], std::to_string(names.size() - 2)});
    }
}

} // namespace springboard
