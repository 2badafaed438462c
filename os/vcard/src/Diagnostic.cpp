#include "vcard/Diagnostic.h"

#include "foundation/Placeholders.h"

namespace contacts {

Diagnostic diagnostic(int line, std::string_view reason, std::vector<std::string> values)
{
    const std::vector<std::string_view> parts(values.begin(), values.end());
    std::string message = os::substituted(reason, parts);
    return {line, std::move(message), reason, std::move(values), {}};
}

} // namespace contacts
