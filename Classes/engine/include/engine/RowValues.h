#pragma once
// What one row of a birthday list shows, worked out from a record, today's date and the two list
// settings alone: photo, name, date text, sign, age and a countdown to this year's birthday,
// coloured for today and tomorrow.
#include "engine/BirthdayRecord.h"
#include "platform/DateServices.h"

#include <array>
#include <string>

namespace engine {

enum class CountdownColour { Brown, Purple, Red };

struct Rgb {
    double red = 0, green = 0, blue = 0; // 0..1, opaque
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
// Red (1, 0, 0) today, purple (0.5, 0, 0.5) tomorrow, brown (0.6, 0.4, 0.2) otherwise.
Rgb rgb(CountdownColour colour);

struct RowValues {
    ImageRef image;
    std::string name;
    std::string dateText;
    int sign = 0; // 0 when signs are hidden
    std::string ageText; // "Age: 29"; empty when the age of a person born in 1900 is hidden
    std::string countdownText; // "in 2 months, 2 days", "Tomorrow", "Today"; empty when past
    CountdownColour countdownColour = CountdownColour::Brown;
};

// The localised words of a row, read from the main bundle once and reused for every row.
struct RowWords {
    std::string age, in, month, months, day, days, tomorrow, today;
    std::array<std::string, 13> monthNames; // 1..12, as ConvertMonth gives them
    bool dayFirst = false; // "5 de Março de 1980" rather than "March 5 1980"
    static RowWords load();
};

// The birthday as a row shows it: "March 5 1980", or "5 de Março de 1980" in Portuguese.
std::string fullDate(const BirthdayRecord& record, const RowWords& words);

// The stored settings that change what a row shows: hideAge empties the age text of persons
// born in 1900 (a birthday without a year), hideSigno shows no sign.
struct ListSettings {
    bool hideAge = false;
    bool hideSigno = false;
};

// The row on `today`, counting the age and the countdown from it. A 29 February birthday counts
// down to 1 March in a common year.
RowValues rowValues(const BirthdayRecord& record, const RowWords& words,
                    const platform::DateParts& today, ListSettings settings);

} // namespace engine
