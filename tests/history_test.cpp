// The change history: change words, a number's changes, dates, the list of a
// given day and JARL's numbers. Linked with the 1998 edition, as the 1998
// program is: the history comes from historyEdition() all the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/history.h"
#include "dict/history_text.h"
#include "dict/load.h"
#include "dict/place.h"
#include "tests/sjis.h"

namespace orvetta {
namespace {

using test::sjis;

TEST(History, ChangeWordsNameEachKindOnce) {
    const char* japanese[] = {"新設", "変更", "廃止"};
    ASSERT_EQ(changeKinds().size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        const ChangeKindInfo& info = changeKinds()[k];
        EXPECT_EQ(changeKindFromWord(info.word), &changeKindInfo(info.kind));
        EXPECT_EQ(info.wordJa, sjis(japanese[k]));
    }
    EXPECT_STREQ(changeKindInfo(ChangeKind::Ended).word, "ended");
    EXPECT_EQ(changeKindFromWord("moved"), nullptr);
}

TEST(History, ChangesOfANumberIncludeThoseNamingItAsSuccessor) {
    struct Case {
        const char* number;
        std::vector<std::string> changes;  // "date number kind"
    } cases[] = {
        {"4707", {"2005-04-01 4707 e"}},
        {"4713",
         {"2005-04-01 4713 c", "2005-04-01 47003A e", "2005-04-01 47003G e", "2005-04-01 4702 e", "2005-04-01 4707 e"}},
        {"16003e", {"1998-10-01 16003E r"}},
        {"100105", {"2010-04-01 1001 e"}},  // named by a range
        {"9999", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> found;
        for (const PlaceChange* change : changesOf(historyEdition(), c.number))
            found.push_back(std::string(change->date) + " " + change->number + " " + static_cast<char>(change->kind));
        EXPECT_EQ(found, c.changes) << c.number;
    }
}

TEST(History, DatesAndTheSpanOfTheHistory) {
    struct Case {
        const char* date;
        bool calendar, covered;
    } cases[] = {
        {"1998-04-01", true, true},   {"1998-03-31", true, false}, {"2024-05-26", true, true},
        {"2024-05-27", true, false},  {"2000-02-29", true, true},  {"1900-02-29", false, false},
        {"2001-13-01", false, false}, {"2001-1-01", false, false}, {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isCalendarDate(c.date), c.calendar) << c.date;
        EXPECT_EQ(historyCovers(historyEdition(), c.date), c.covered) << c.date;
        EXPECT_FALSE(historyCovers(kEdition1998, c.date)) << c.date;
        // A calendar date reads back from its parts; anything else has none.
        CalendarDay day{};
        if (parseCalendarDate(c.date, day)) {
            EXPECT_EQ(calendarDate(day.year, day.month, day.day), c.date);
        }
    }
    EXPECT_EQ(calendarDate(999, 1, 2), "0999-01-02");
    EXPECT_EQ(calendarDate(1900, 2, 29), "");
    EXPECT_EQ(calendarDate(0, 1, 1), "");
}

TEST(History, RewindGivesThePlacesOfTheDay) {
    struct Case {
        const char* date;
        const char* number;
        const char* kanji;  // nullptr: not in the list that day
        char kind, current;
    } cases[] = {
        {"2005-03-31", "4707", "具志川市", '4', '1'}, {"2005-04-01", "4707", "具志川市", '4', '0'},
        {"2005-03-31", "4713", nullptr, 0, 0},        {"2005-04-01", "4713", "うるま市", '4', '1'},
        {"1998-09-30", "16003E", "明和村", '8', '1'}, {"1998-10-01", "16003E", "明和町", '7', '1'},
        {"2010-03-31", "1001", "２３区", '4', '1'},   {"2010-04-01", "1001", "２３区", '4', '0'},
    };
    selectEdition(historyEdition());
    PlaceList places;
    for (const Case& c : cases) {
        ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
        const int count = rewindToDate(historyEdition(), c.date, places);
        EXPECT_EQ(count, places.count());
        const PlaceRecord* end = places.records + count;
        const PlaceRecord* r = std::find_if(static_cast<const PlaceRecord*>(places.records), end,
                                            [&](const PlaceRecord& p) { return std::strcmp(p.number, c.number) == 0; });
        if (!c.kanji) {
            EXPECT_EQ(r, end) << c.date << " " << c.number;
        } else if (r == end) {
            ADD_FAILURE() << c.number << " missing on " << c.date;
        } else {
            EXPECT_EQ(std::string(r->kanji), sjis(c.kanji)) << c.date << " " << c.number;
            EXPECT_EQ(r->kind, c.kind) << c.date << " " << c.number;
            EXPECT_EQ(r->current, c.current) << c.date << " " << c.number;
        }
        releaseDictionary(places);
    }
    selectEdition(kEdition1998);
}

TEST(History, JarlNumbersAreSortedAndFoundWithTheirLastDay) {
    const std::span<const JarlNumber> table = jarlNumbers();
    EXPECT_EQ(table.size(), 1721u);
    EXPECT_TRUE(std::adjacent_find(table.begin(), table.end(), [](const JarlNumber& a, const JarlNumber& b) {
                    return std::strcmp(a.number, b.number) >= 0;
                }) == table.end());
    struct Case {
        const char* number;
        bool found;
        const char* lastDay;  // nullptr: none
        bool bound;
    } cases[] = {
        {"0101", true, nullptr, false},  {"1001", true, "2010-03-31", false}, {"270110", true, "1980-11-30", true},
        {"09013", true, nullptr, false}, {"16003E", false, nullptr, false},   {"0100", false, nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findJarlNumber(c.number) != nullptr, c.found) << c.number;
        bool bound = false;
        const char* day = jarlLastDay(c.number, &bound);
        EXPECT_EQ(day ? std::string(day) : "-", c.lastDay ? c.lastDay : "-") << c.number;
        EXPECT_EQ(bound, c.bound) << c.number;
    }
    const JarlNumber* reserved = findJarlNumber("09013");
    ASSERT_NE(reserved, nullptr);
    EXPECT_TRUE(reserved->reserved && !reserved->current);
    EXPECT_EQ(findJarlNumber("1001")->award, JarlAward::Jcc);
    EXPECT_EQ(findJarlNumber("270110")->award, JarlAward::Ku);
}

TEST(HistoryText, ListsChangesThenJarlsLastDay) {
    struct Case {
        const char* number;
        const char* text;  // UTF-8; the whole text, or with `part` a line of it
        bool part;
        Language language = Language::Japanese;
    } cases[] = {
        {"4707", "2005-04-01  廃止  具志川市: 4713 うるま市 に新設合併\nJARL の一覧での最終日: 2005-03-31\n", false},
        {"4713", "\n2005-04-01  廃止  4707 具志川市: 4713 うるま市 に新設合併\n", true},
        {"16003e", "1998-10-01  変更  明和村(めいわむら) → 明和町(めいわまち)(村から町へ)\n", false},
        {"0101", "1998年4月1日以降の変更はありません\n", false},
        {"270110", "1998年4月1日以降の変更はありません\nJARL の一覧での最終日: 1980-11-30 より前\n", false},
        {"4707",
         "2005-04-01  ended  具志川市: merged into 4713 (new municipality)\nLast day in JARL's list: 2005-03-31\n",
         false, Language::English},
        {"270110", "No change since 1 April 1998\nLast day in JARL's list: before 1980-11-30\n", false,
         Language::English},
    };
    for (const Case& c : cases) {
        const std::string text = historyText(c.number, c.language);
        if (c.part)
            EXPECT_NE(text.find(sjis(c.text)), std::string::npos) << c.number << "\n" << test::utf8(text);
        else
            EXPECT_EQ(test::utf8(text), c.text) << c.number;
    }
    PlaceRecord place{"4707", "", "", kKindCity, '0'};
    std::memcpy(place.kanji, sjis("具志川市").c_str(), 8);
    EXPECT_EQ(test::utf8(historyTitle(place)), "履歴 - 4707 具志川市");
    EXPECT_EQ(test::utf8(dayNotice("2004-01-01")), "2004年1月1日現在の地名");
    EXPECT_EQ(test::utf8(historyTitle(place, Language::English)), "History - 4707 具志川市");
    EXPECT_EQ(dayNotice("2004-12-31", Language::English), "Places as of 31 December 2004");
}

}  // namespace
}  // namespace orvetta
