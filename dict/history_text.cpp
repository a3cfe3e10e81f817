// History and dates as users read them.
#include "dict/history_text.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dict/date.h"
#include "dict/edition.h"
#include "dict/history.h"

namespace orvetta {

namespace {

const char kYear[] = "\x94N";                                          // 年
const char kMonth[] = "\x8c\x8e";                                      // 月
const char kDay[] = "\x93\xfa";                                        // 日
const char kDayNoticeEnd[] = "\x8c\xbb\x8d\xdd\x82\xcc\x92n\x96\xbc";  // 現在の地名
const char kHistoryTitle[] = "\x97\x9a\x97\xf0 - ";                    // 履歴 -
const char kNoChangeSince[] =                                          // 以降の変更はありません
    "\x88\xc8\x8d~\x82\xcc\x95\xcf\x8dX\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1";
const char kJarlLastDay[] =  // JARL の一覧での最終日:
    "JARL \x82\xcc\x88\xea\x97\x97\x82\xc5\x82\xcc\x8d\xc5\x8fI\x93\xfa: ";
const char kBefore[] = " \x82\xe6\x82\xe8\x91O";  // より前
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

std::string dayNotice(const char* date) { return japaneseDate(date) + kDayNoticeEnd; }

std::string historyTitle(const PlaceRecord& place) {
    return kHistoryTitle + fieldText(place.number) + " " + fieldText(place.kanji);
}

std::string historyLine(const PlaceChange& change, const std::string& number, const char* gap, bool english) {
    const ChangeKindInfo& kind = changeKindInfo(change.kind);
    std::string line = std::string(change.date) + gap + (english ? kind.word : kind.wordJa) + gap;
    if (number != change.number) line += std::string(change.number) + " ";
    return line + (english ? change.detail : change.detailJa);
}

std::string historyText(const char* number) {
    std::string upper = number;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const Edition& history = historyEdition();
    const std::vector<const PlaceChange*> changes = changesOf(history, upper.c_str());
    std::string text;
    for (const PlaceChange* change : changes) text += historyLine(*change, upper, kColumnGap, false) + '\n';
    if (changes.empty()) text += japaneseDate(history.historySince) + kNoChangeSince + "\n";
    bool isBound = false;
    if (const char* lastDay = jarlLastDay(upper.c_str(), &isBound))
        text += std::string(kJarlLastDay) + lastDay + (isBound ? kBefore : "") + "\n";
    return text;
}

}  // namespace orvetta
