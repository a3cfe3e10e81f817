// Days as the programs write them: "YYYY-MM-DD", a day of the Gregorian
// calendar from year 1 to 9999. The history, the day box and the logs' dates
// all pass through these.
#pragma once

#include <string>

namespace orvetta {

// The parts of a day.
struct CalendarDay {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

// True for "YYYY-MM-DD" naming a day of the Gregorian calendar; `day` then
// holds its parts (otherwise it is left alone).
bool parseCalendarDate(const char* text, CalendarDay& day);
bool isCalendarDate(const char* text);

// "YYYY-MM-DD" of a day given by its parts; "" when no such day exists.
std::string calendarDate(int year, int month, int day);

}  // namespace orvetta
