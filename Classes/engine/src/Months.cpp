#include "engine/Months.h"

#include "foundation/Bundle.h"
#include "foundation/CivilDates.h"

namespace engine {

const char* monthKey(int month) { return os::englishMonthName(month); }

std::string ConvertMonth(int month)
{
    if (month < 1 || month > 12)
        return {};
    return NSBundle::mainBundle().localizedStringForKey(monthKey(month), "", "");
}

} // namespace engine
