#include "engine/RowValues.h"

#include "engine/Months.h"
#include "engine/Signs.h"
#include "foundation/Bundle.h"
#include "foundation/CivilDates.h"
#include "platform/BirthdayRules.h"

namespace engine {
namespace {

std::string localized(const char* key)
{
    return NSBundle::mainBundle().localizedStringForKey(key, "", "");
}

int age(const BirthdayRecord& record, const platform::DateParts& today)
{
    int years = today.year - record.Year;
    if (record.Month > today.month || (record.Month == today.month && record.Day > today.day))
        --years;
    return years < 0 ? 0 : years;
}

void countdown(const BirthdayRecord& record, const RowWords& words,
               const platform::DateParts& today, RowValues& row)
{
    const platform::DateParts event =
        platform::observedBirthday(today.year, record.Month, record.Day);
    const auto [months, days] = os::monthsAndDaysBetween(today, event);
    const std::string& monthWord = months >= 2 ? words.months : words.month;
    const std::string& dayWord = days >= 2 ? words.days : words.day;

    row.countdownColour = CountdownColour::Brown;
    if (months >= 1 && days >= 1) {
        row.countdownText = words.in + " " + std::to_string(months) + " " + monthWord + ", " +
                            std::to_string(days) + " " + dayWord;
    } else if (months >= 1 && days == 0) {
        row.countdownText = words.in + " " + std::to_string(months) + " " + monthWord;
    } else if (months == 0 && days >= 2) {
        row.countdownText = words.in + " " + std::to_string(days) + " " + dayWord;
    } else if (months == 0 && days == 1) {
        row.countdownText = words.tomorrow;
        row.countdownColour = CountdownColour::Purple;
    } else if (months == 0 && days == 0) {
        row.countdownText = words.today;
        row.countdownColour = CountdownColour::Red;
    }
}

} // namespace

Rgb rgb(CountdownColour colour)
{
    switch (colour) {
    case CountdownColour::Red: return {1.0, 0.0, 0.0};
    case CountdownColour::Purple: return {0.5, 0.0, 0.5};
    case CountdownColour::Brown: break;
    }
    return {0.6, 0.4, 0.2};
}

RowWords RowWords::load()
{
    std::array<std::string, 13> monthNames;
    for (int month = 1; month <= 12; ++month)
        monthNames[month] = ConvertMonth(month);
    return {localized("Age"),      localized("in"),
            localized("month"),    localized("months"),
            localized("day"),      localized("days"),
            localized("Tomorrow"), localized("Today"),
            std::move(monthNames), localized("Close") == "Fechar"};
}

// Made per row shown rather than per person imported: a list shows a screenful of a book that
// may hold 100,000 persons.
std::string fullDate(const BirthdayRecord& record, const RowWords& words)
{
    const std::string& month = words.monthNames[record.Month];
    const std::string day = std::to_string(record.Day);
    const std::string year = std::to_string(record.Year);
    if (words.dayFirst)
        return day + " de " + month + " de " + year;
    return month + " " + day + " " + year;
}

RowValues rowValues(const BirthdayRecord& record, const RowWords& words,
                    const platform::DateParts& today, ListSettings settings)
{
    RowValues row;
    row.image = record.Image;
    row.name = record.Name;
    row.dateText = fullDate(record, words);
    row.sign = settings.hideSigno ? 0 : idForSigno(record.Day, record.Month);
    if (!(settings.hideAge && record.Year == 1900))
        row.ageText = words.age + ": " + std::to_string(age(record, today));
    countdown(record, words, today, row);
    return row;
}

} // namespace engine
