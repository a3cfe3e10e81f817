// What the award check needs to know about numbers, filled by the caller
// from JARL's number list, the place list and its change history. The check
// reads nothing else, so it runs on a small made-up table in the tests.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace orvetta {

// The kind of a number: the JARL list that holds it, or a town or village
// code (a district's number and a letter) of the place list.
enum class NumberKind {
    Jcc,   // a city, or one of Tokyo's 23 wards 100101-100123
    Jcg,   // a district
    Ku,    // a ward of a designated city
    Town,  // a town or village under a district
};

// One number and the days it counts on. All texts Shift-JIS; days "YYYY-MM-DD".
//
// A number counts on day D when its first day (if any) is not after D and it
// is current, or D is at most lastDay, or D is before endsBefore. A JARL
// number that is not current and has neither day is a reserved number that
// never counted (09013); a town that is not current and has neither day has
// ended on a day nobody recorded.
struct NumberFacts {
    std::string number;  // "1017", "01001", "010101", "01001A" (letter upper case)
    NumberKind kind = NumberKind::Jcc;
    bool current = false;       // JARL status current; a town: the list has it as existing
    std::string lastDay;        // JARL's last day of a deleted number, inclusive
    std::string endsBefore;     // first day it no longer counts: JARL's "before YYYY-MM-DD",
                                // or the day the history ended a town
    bool uncertainEnd = false;  // endsBefore is only JARL's bound, not a known day
    std::string firstDay;       // created after 1998-04-01: the day the history created it
    std::string kanji;          // the place's name in the place list, e.g. 保谷市
    std::string romaji;         // JARL's romaji, e.g. Hoya; a town's made from its reading (Ashoro-cho)
    std::string successors;     // numbers that took over, separated by one space, e.g. "1030"
};

struct AwardData {
    std::vector<NumberFacts> numbers;             // JARL numbers and town codes, any order
    std::array<std::string, 47> prefectureKanji;  // prefectures 01..47, e.g. 東京都
    std::string listDay;                          // "YYYY-MM-DD": the day the place list describes
};

}  // namespace orvetta
