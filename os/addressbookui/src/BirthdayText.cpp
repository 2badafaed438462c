#include "BirthdayText.h"

#include "foundation/DeviceText.h"
#include "uikit/DeviceDates.h"

namespace addressbookui {

std::string monthText(int month) { return uikit::deviceMonthName(month); }

std::string birthdayText(const ab::CivilDate& date)
{
    return uikit::deviceDateText(date.year, date.month, date.day, date.year != ab::kUnknownYear);
}

std::string yearText(int year)
{
    return year == ab::kUnknownYear ? os::deviceText("no year") : std::to_string(year);
}

} // namespace addressbookui
