#include "engine/RecordImport.h"

#include "platform/BirthdayRules.h"

namespace engine {

std::string displayName(std::optional<std::string_view> first, std::optional<std::string_view> last)
{
    static constexpr std::string_view kNull = "(null)";
    const std::string_view firstText = first.value_or(kNull);
    const std::string_view lastText = last.value_or(kNull);
    if (firstText == kNull)
        return std::string(lastText);
    if (lastText == kNull)
        return std::string(firstText);
    // Made at its full length and filled in place: three appends cost twice as much, and this
    // runs once for every person of the book.
    std::string name(firstText.size() + 1 + lastText.size(), ' ');
    firstText.copy(name.data(), firstText.size());
    lastText.copy(name.data() + firstText.size() + 1, lastText.size());
    return name;
}

RecordImport::RecordImport(const platform::Calendar& calendar, int year)
    : calendar_(calendar), year_(year)
{
}

platform::Moment RecordImport::thisYearsBirthday(int month, int day)
{
    std::optional<platform::Moment>& cached = midnights_[month * 32 + day];
    if (!cached) {
        const platform::DateParts observed = platform::observedBirthday(year_, month, day);
        cached = calendar_.localMidnight(observed.year, observed.month, observed.day).value_or(0);
    }
    return *cached;
}

bool RecordImport::appendRecord(const ab::PersonSummaryView& person, uint32_t index,
                                std::vector<BirthdayRecord>& records)
{
    if (!person.birthday)
        return false;
    // A valid date of its own year (the book hands out no other) is a day of every leap year,
    // so it has a date this year, 29 February without a year included. The bounds are checked
    // all the same, inline, since the tables of each day of the year are indexed by them.
    const ab::CivilDate& birthday = *person.birthday;
    if (birthday.month < 1 || birthday.month > 12 || birthday.day < 1 || birthday.day > 31)
        return false;

    BirthdayRecord& record = records.emplace_back();
    record.Name = displayName(person.first_name, person.last_name);
    record.RecordID = person.id;
    record.Image = {person.id, person.has_image};
    record.NiverEvent = thisYearsBirthday(birthday.month, birthday.day);
    record.Day = birthday.day;
    record.Month = birthday.month;
    record.Year = birthday.year;
    record.addressBookIndex = index;
    return true;
}

} // namespace engine
