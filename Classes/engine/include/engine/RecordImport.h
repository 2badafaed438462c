#pragma once
// Turns address-book persons into birthday records for one import. This year's birthday dates
// are worked out once per day of the year rather than once per person; the results are the same,
// since nothing changes during an import.
#include "engine/BirthdayRecord.h"
#include "platform/DateServices.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// A missing name part reads "(null)", and a part that reads "(null)" counts as missing: first
// and last name joined by a space, else the one present, else "(null)".
std::string displayName(std::optional<std::string_view> first,
                        std::optional<std::string_view> last);

class RecordImport {
public:
    // Birthdays fall in the year `year`, at local midnight by the calendar.
    RecordImport(const platform::Calendar& calendar, int year);

    // Appends the record of the person at `index` in the address book to `records`, made in
    // place; nothing when the person has no birthday. True when it appended one.
    bool appendRecord(const ab::PersonSummaryView& person, uint32_t index,
                      std::vector<BirthdayRecord>& records);

private:
    platform::Moment thisYearsBirthday(int month, int day);

    const platform::Calendar& calendar_;
    int year_;
    std::array<std::optional<platform::Moment>, 13 * 32> midnights_;
};

} // namespace engine
