#pragma once
// The Gregorian calendar's arithmetic on plain calendar dates (year, month 1..12, day), with no
// time of day and no time zone: leap years, month lengths and whether a date exists. The one
// copy the address book, the platform's date services and the person screen all count with.
namespace os {

bool isLeapYear(int year);
// Days of the month; 0 for a month outside 1..12.
int daysInMonth(int year, int month);
// True when the day exists in that month of that year (any year, proleptic Gregorian).
bool isRealDate(int year, int month, int day);

// "January" to "December", the English names that are also the keys of their translations; ""
// for a month outside 1..12.
const char* englishMonthName(int month);

} // namespace os
