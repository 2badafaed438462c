#include "FieldLabels.h"

#include "foundation/DeviceText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace addressbookui {

namespace {

// The labels the address book and vCard import give values; stored in English.
constexpr std::array<std::string_view, 10> kStandardLabels{
    os::deviceTextKey("mobile"),     os::deviceTextKey("home"),     os::deviceTextKey("work"),
    os::deviceTextKey("main"),       os::deviceTextKey("home fax"), os::deviceTextKey("work fax"),
    os::deviceTextKey("fax"),        os::deviceTextKey("pager"),    os::deviceTextKey("other"),
    os::deviceTextKey("anniversary")};

} // namespace

std::string labelText(const std::string& label)
{
    if (std::find(kStandardLabels.begin(), kStandardLabels.end(), label) == kStandardLabels.end())
        return label;
    return os::deviceText(label);
}

} // namespace addressbookui
