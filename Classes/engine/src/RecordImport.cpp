#include "engine/RecordImport.h"

#include "engine/Months.h"

#include "foundation/Bundle.h"
#include "platform/CivilDates.h"

#include <charconv>

namespace engine {

std::string displayName(const std::optional<std::string>& first,
                        const std::optional<std::string>& last) {
    static constexpr std::string_view kNull = "(null)";
    const std::string_view firstText = first ? std::string_view(*first) : kNull;
    const std::string_view lastText = last ? std::string_view(*last) : kNull;
    if (firstText == kNull) return std::string(lastText);
    if (lastText == kNull) return std::string(firstText);
    std::string name;
    name.reserve(firstText.size() + 1 + lastText.size());
    name.append(firstText).append(" ").append(lastText);
    return name;
}

RecordImport::RecordImport(const platform::Calendar& calendar, int year)
    : calendar_(calendar), year_(year) {
    portuguese_ = NSBundle::mainBundle().localizedStringForKey("Close", "", "") == "Fechar";
    for (int month = 1; month <= 12; ++month) monthNames_[month] = ConvertMonth(month);
}

std::string RecordImport::fullDate(int day, int month, int year) const {
    const std::string& monthName = monthNames_[month];
    char dayText[12], yearText[12];
    const size_t dayLength = std::to_chars(dayText, dayText + sizeof dayText, day).ptr - dayText;
    const size_t yearLength =
        std::to_chars(yearText, yearText + sizeof yearText, year).ptr - yearText;
    std::string text;
    text.reserve(monthName.size() + dayLength + yearLength + 8);
    if (portuguese_) {
        text.append(dayText, dayLength).append(" de ").append(monthName).append(" de ");
    } else {
        text.append(monthName).append(" ").append(dayText, dayLength).append(" ");
    }
    return text.append(yearText, yearLength);
}

platform::Moment RecordImport::thisYearsBirthday(int month, int day) {
    std::optional<platform::Moment>& cached = midnights_[month * 32 + day];
    if (!cached) {
        const platform::DateParts observed = platform::observedBirthday(year_, month, day);
        cached = calendar_.localMidnight(observed.year, observed.month, observed.day).value_or(0);
    }
    return *cached;
}

std::optional<BirthdayRecord> RecordImport::record(const ab::PersonSummary& person, uint32_t index) {
    if (!person.birthday) return std::nullopt;
    const ab::CivilDate& birthday = *person.birthday;
    // Any leap year: 29 February is a day of the year, though 1900, the year of a birthday
    // without a year, has none.
    if (!platform::isRealDate(2000, birthday.month, birthday.day)) return std::nullopt;

    BirthdayRecord record;
    record.Name = displayName(person.first_name, person.last_name);
    record.RecordID = person.id;
    record.Image = {person.id, person.has_image};
    record.FullDate = fullDate(birthday.day, birthday.month, birthday.year);
    record.NiverEvent = thisYearsBirthday(birthday.month, birthday.day);
    record.Day = birthday.day;
    record.Month = birthday.month;
    record.Year = birthday.year;
    record.addressBookIndex = index;
    return record;
}

} // namespace engine
