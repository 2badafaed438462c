#include "foundation/CivilDates.h"

namespace os {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isRealDate(int year, int month, int day) {
    return day >= 1 && day <= daysInMonth(year, month);
}

const char* englishMonthName(int month) {
    static constexpr const char* kNames[] = {"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

} // namespace os
