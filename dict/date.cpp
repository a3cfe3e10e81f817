#include "dict/date.h"

#include <cctype>
#include <cstring>

namespace orvetta {

namespace {

bool isRealDay(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return day <= days[month - 1];
}

int digitsValue(const char* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

}  // namespace

bool parseCalendarDate(const char* text, CalendarDay& day) {
    if (std::strlen(text) != 10 || text[4] != '-' || text[7] != '-') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    const CalendarDay parts{digitsValue(text, 4), digitsValue(text + 5, 2), digitsValue(text + 8, 2)};
    if (!isRealDay(parts.year, parts.month, parts.day)) return false;
    day = parts;
    return true;
}

bool isCalendarDate(const char* text) {
    CalendarDay day;
    return parseCalendarDate(text, day);
}

std::string calendarDate(int year, int month, int day) {
    if (!isRealDay(year, month, day)) return "";
    std::string text(10, '-');
    for (int i = 3, y = year; i >= 0; --i, y /= 10) text[i] = static_cast<char>('0' + y % 10);
    text[5] = static_cast<char>('0' + month / 10);
    text[6] = static_cast<char>('0' + month % 10);
    text[8] = static_cast<char>('0' + day / 10);
    text[9] = static_cast<char>('0' + day % 10);
    return text;
}

}  // namespace orvetta
