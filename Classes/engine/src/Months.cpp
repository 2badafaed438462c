#include "engine/Months.h"

#include "foundation/Bundle.h"

namespace engine {

const char* monthKey(int month) {
    static constexpr const char* kKeys[] = {"January", "February", "March",     "April",
                                            "May",     "June",     "July",      "August",
                                            "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? kKeys[month - 1] : "";
}

std::string ConvertMonth(int month) {
    if (month < 1 || month > 12) return {};
    return NSBundle::mainBundle().localizedStringForKey(monthKey(month), "", "");
}

} // namespace engine
