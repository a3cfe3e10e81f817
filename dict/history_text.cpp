// History and dates as users read them.
#include "dict/history_text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dict/date.h"
#include "dict/edition.h"
#include "dict/history.h"
#include "text/texts.h"

namespace orvetta {

namespace {

const char kYear[] = "\x94N";      // 年
const char kMonth[] = "\x8c\x8e";  // 月
const char kDay[] = "\x93\xfa";    // 日
const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
// Between the date, the kind and the detail of a history line.
const char kColumnGap[] = "  ";

// A fixed-width field up to its NUL or its end.
template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace

std::string japaneseDate(const char* date) {
    CalendarDay day{};
    parseCalendarDate(date, day);
    return std::to_string(day.year) + kYear + std::to_string(day.month) + kMonth + std::to_string(day.day) + kDay;
}

std::string englishDate(const char* date) {
    CalendarDay day{};
    parseCalendarDate(date, day);
    const char* month = day.month >= 1 && day.month <= 12 ? kMonthNames[day.month - 1] : "";
    return std::to_string(day.day) + " " + month + " " + std::to_string(day.year);
}

std::string shownDate(const char* date, Language language) {
    return language == Language::English ? englishDate(date) : japaneseDate(date);
}

std::string dayNotice(const char* date, Language language) {
    return formatText(TextId::DayNotice, language, shownDate(date, language).c_str());
}

std::string historyTitle(const PlaceRecord& place, Language language, const char* name) {
    return formatText(TextId::HistoryTitle, language, fieldText(place.number).c_str(),
                      name ? name : fieldText(place.kanji).c_str());
}

std::string historyLine(const PlaceChange& change, const std::string& number, const char* gap, bool english) {
    const ChangeKindInfo& kind = changeKindInfo(change.kind);
    std::string line = std::string(change.date) + gap + (english ? kind.word : kind.wordJa) + gap;
    if (number != change.number) line += std::string(change.number) + " ";
    return line + (english ? change.detail : change.detailJa);
}

std::string historyText(const char* number, Language language) {
    const bool english = language == Language::English;
    std::string upper = number;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const Edition& history = historyEdition();
    const std::vector<const PlaceChange*> changes = changesOf(history, upper.c_str());
    std::string text;
    for (const PlaceChange* change : changes) text += historyLine(*change, upper, kColumnGap, english) + '\n';
    if (changes.empty())
        text += formatText(TextId::HistoryNoChange, language, shownDate(history.historySince, language).c_str()) + "\n";
    bool isBound = false;
    if (const char* lastDay = jarlLastDay(upper.c_str(), &isBound))
        text += formatText(isBound ? TextId::HistoryJarlLastDayBefore : TextId::HistoryJarlLastDay, language, lastDay) +
                "\n";
    return text;
}

}  // namespace orvetta
