#include "BirthdayText.h"

#include <foundation/Bundle.h>
#include <foundation/CivilDates.h>

namespace addressbookui {

std::string monthText(int month)
{
    return NSBundle::mainBundle().localizedStringForKey(os::englishMonthName(month), "", "");
}

std::string birthdayText(const ab::CivilDate& date)
{
    std::string text = monthText(date.month);
    text += ' ' + std::to_string(date.day);
    if (date.year != ab::kUnknownYear)
        text += ", " + std::to_string(date.year);
    return text;
}

std::string yearText(int year)
{
    return year == ab::kUnknownYear ? "no year" : std::to_string(year);
}

} // namespace addressbookui
