// Result lines and the search engine over the built-in dictionary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/history.h"
#include "dict/load.h"
#include "dict/place.h"
#include "search/engine.h"
#include "search/result_line.h"
#include "tests/sjis.h"
#include "tests/place_list_test.h"

namespace orvetta {
namespace {

using test::sjis;
using test::utf8;

class Search : public test::PlaceListTest {
protected:
    void TearDown() override {
        PlaceListTest::TearDown();
        forgetFoldedIndex();
    }

    static std::string line(int index) { return utf8(resultLine(places, index)); }
    static int indexOf(const char* number) {
        for (int i = 0; i < places.count(); ++i)
            if (std::strcmp(places.records[i].number, number) == 0) return i;
        return -1;
    }
    static void setRecord(int index, const char* number, const char* kanji, const char* reading, char kind,
                          char current) {
        PlaceRecord& r = places.records[index];
        std::memset(&r, 0, sizeof r);
        std::strcpy(r.number, number);
        std::strcpy(r.kanji, sjis(kanji).c_str());
        std::strcpy(r.reading, sjis(reading).c_str());
        r.kind = kind;
        r.current = current;
    }
    // Lines appended by one search, as UTF-8.
    static std::vector<std::string> lines(const ResultList& results, int from = 0) {
        std::vector<std::string> out;
        for (int i = from; i < results.count(); ++i) out.push_back(utf8(results.line(i)));
        return out;
    }
    static SearchRequest names(SearchMode mode, const char* city, const char* ward) {
        SearchRequest request;
        request.searchMode = mode;
        if (city) request.cityGiven = true, request.setCityText(sjis(city).c_str());
        if (ward) request.wardGiven = true, request.setWardText(sjis(ward).c_str());
        return request;
    }
    static std::string numberOf(const std::string& line) { return line.substr(0, line.find('\t')); }
};

// ----- result lines -----

TEST_F(Search, ResultLineMatchesTheShippedExamples) {
    EXPECT_EQ(line(0), "0101\t北海道札幌市(さっぽろし)");
    EXPECT_EQ(line(1), "010101\t北海道札幌市(さっぽろし)中央区(ちゅうおうく)");
    EXPECT_EQ(line(41), "0132\t北海道亀田市(かめだし)【旧】");
    EXPECT_EQ(line(45), "01001\t北海道阿寒郡(あかんぐん)");
    EXPECT_EQ(line(46), "01001A\t北海道阿寒郡(あかんぐん)阿寒町(あかんちょう)");
    EXPECT_EQ(line(155), "01029A\t北海道札幌郡(さっぽろぐん)広島町(ひろしまちょう)【旧】");
    EXPECT_EQ(line(1063), "1001\t東京都２３区(にじゅうさんく)");
    EXPECT_EQ(line(1064), "100101\t東京都千代田区(ちよだく)");
}

TEST_F(Search, ResultLineShowsOnlyTheChildsOwnMarker) {
    // 01029 札幌郡 is old; its current towns get no marker from it.
    int district = indexOf("01029");
    ASSERT_EQ(places.records[district].current, '0');
    for (int i = district + 1; places.records[i].kind == kKindTown || places.records[i].kind == kKindVillage; ++i) {
        std::string text = line(i);
        bool old = text.size() >= 9 && text.compare(text.size() - 9, 9, "【旧】") == 0;
        EXPECT_EQ(old, places.records[i].current == '0') << text;
    }
    places.records[0].current = 'x';  // not a digit: old
    EXPECT_EQ(line(0), "0101\t北海道札幌市(さっぽろし)【旧】");
    places.records[0].current = '7';  // any digit 1..9: current
    EXPECT_EQ(line(0), "0101\t北海道札幌市(さっぽろし)");
}

TEST_F(Search, ResultLineShowsEveryTokyoWardLikeACity) {
    for (int i = places.prefectureTable[10].first; i <= places.prefectureTable[10].last; ++i) {
        if (places.records[i].kind != kKindWard) continue;
        EXPECT_EQ(line(i).find("２３区"), std::string::npos) << line(i);
    }
    // The rule is the prefecture, not the parent: a Tokyo ward whose city is
    // missing still gets its line.
    setRecord(1064, "109901", "千代田区", "ちよだく", kKindWard, '1');
    EXPECT_EQ(line(1064), "109901\t東京都千代田区(ちよだく)");
}

TEST_F(Search, ResultLineGivesTheNoParentTextWhenNoParentStandsBefore) {
    setRecord(1, "019901", "中央区", "ちゅうおうく", kKindWard, '1');
    EXPECT_EQ(line(1), "合致する地名がありません");
    setRecord(46, "01999A", "阿寒町", "あかんちょう", kKindTown, '1');
    EXPECT_EQ(line(46), "合致する地名がありません");
    // A parent that stands after its child is not found either.
    setRecord(0, "0102", "江別市", "えべつし", kKindCity, '1');
    setRecord(2, "0101", "札幌市", "さっぽろし", kKindCity, '1');
    EXPECT_EQ(line(1), "合致する地名がありません");
}

TEST_F(Search, ResultLineLetsAShortChildNumberFindItself) {
    setRecord(1, "0199", "中央区", "ちゅうおうく", kKindWard, '1');
    EXPECT_EQ(line(1), "0199\t北海道中央区(ちゅうおうく)中央区(ちゅうおうく)");
    setRecord(46, "01999", "阿寒町", "あかんちょう", kKindVillage, '0');
    EXPECT_EQ(line(46), "01999\t北海道阿寒町(あかんちょう)阿寒町(あかんちょう)【旧】");
    // The parent's kind is not looked at.
    setRecord(45, "01001", "阿寒町", "あかんちょう", kKindTown, '1');
    EXPECT_EQ(line(46 + 0), "01999\t北海道阿寒町(あかんちょう)阿寒町(あかんちょう)【旧】");
    EXPECT_EQ(line(47).substr(0, 7), "01001B\t");
    EXPECT_NE(line(47).find("北海道阿寒町(あかんちょう)"), std::string::npos);
}

TEST_F(Search, ResultLineFallsBackToOkinawaForUnknownCodes) {
    EXPECT_EQ(prefectureRowOf(places, "4701"), 47);
    EXPECT_EQ(prefectureRowOf(places, "4801"), 47);  // row 48's code is never compared
    EXPECT_EQ(prefectureRowOf(places, "9901"), 47);
    EXPECT_EQ(prefectureRowOf(places, "0"), 47);
    EXPECT_EQ(prefectureRowOf(places, "0001"), 0);  // row 0 is compared
    EXPECT_EQ(prefectureRowOf(places, "4601"), 46);
    setRecord(0, "4801", "札幌市", "さっぽろし", kKindCity, '1');
    EXPECT_EQ(line(0), "4801\t沖縄県札幌市(さっぽろし)");
}

TEST_F(Search, ResultLineOverwritesOneBuffer) {
    const char* first = resultLine(places, 0);
    const char* second = resultLine(places, 45);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, gResultBuffer);
    EXPECT_EQ(utf8(first), "01001\t北海道阿寒郡(あかんぐん)");
}

TEST_F(Search, ResultLineStaysInsideTheBufferForFullFields) {
    // Fields filled to their widths with no terminator at all.
    std::memset(&places.records[1], 'x', sizeof(PlaceRecord));
    std::memcpy(places.records[1].number, "010101x", 7);
    places.records[1].kind = kKindWard;
    places.records[1].current = '0';
    std::memset(places.records[0].kanji, 'k', sizeof places.records[0].kanji);
    std::memset(places.records[0].reading, 'r', sizeof places.records[0].reading);
    std::memcpy(places.records[0].number, "0101\0\0\0", 7);
    // Key "0101" (first 4 characters) finds record 0.
    std::string text = resultLine(places, 1);
    EXPECT_EQ(text, std::string("010101x\t") + sjis("北海道") + std::string(17, 'k') + "(" + std::string(29, 'r') +
                        ")" + std::string(17, 'x') + "(" + std::string(29, 'x') + ")" + sjis("【旧】"));
}

// ----- containment -----

TEST(FieldContains, MatchesBytesAcrossCharacterBoundaries) {
    std::string field = sjis("南部町");
    EXPECT_TRUE(fieldContains(field.c_str(), 17, sjis("白").c_str()));
    EXPECT_TRUE(fieldContains(field.c_str(), 17, ""));
    EXPECT_FALSE(fieldContains(field.c_str(), 17, sjis("ナン").c_str()));
    EXPECT_TRUE(fieldContains("abc", 4, "bc"));
    EXPECT_FALSE(fieldContains("abc", 4, "BC"));  // case counts
    EXPECT_FALSE(fieldContains("abc", 4, "bcd"));
}

TEST(FieldContains, StopsAtTheFieldsWidth) {
    const char field[6] = {'a', 'b', 'c', 'd', 'e', 'f'};  // no terminator
    EXPECT_TRUE(fieldContains(field, 6, "ef"));
    EXPECT_FALSE(fieldContains(field, 5, "ef"));
    EXPECT_FALSE(fieldContains(field, 6, "fg"));
}

// ----- number path -----

TEST_F(Search, NumberEntryIsAPositionInTheScopesList) {
    SearchRequest request;
    request.prefecturePosition = 10;  // 東京都
    request.numberGiven = true;
    request.numberEntry = 2;
    ResultList results;
    EXPECT_EQ(runSearch(places, request, results), 1);
    ASSERT_EQ(results.count(), 1);
    EXPECT_EQ(utf8(results.line(0)), "100102\t東京都中央区(ちゅうおうく)");

    request = SearchRequest{};
    request.numberGiven = true;
    request.numberEntry = 1065;  // whole dictionary: the position is the index
    EXPECT_EQ(runSearch(places, request, results), 1);
    EXPECT_EQ(numberOf(utf8(results.line(1))), "100102");

    request.areaPosition = 1;  // area 1 starts at Tokyo
    request.numberEntry = 2;
    EXPECT_EQ(runSearch(places, request, results), 1);
    EXPECT_EQ(numberOf(utf8(results.line(2))), "100102");
}

TEST_F(Search, NumberTextIsFoundWholeAndWithoutCase) {
    SearchRequest request;
    request.exact = true;  // byte-wise: no spaces dropped
    request.numberGiven = true;
    request.setNumberText("01001a");
    ResultList results;
    EXPECT_EQ(runSearch(places, request, results), 1);
    EXPECT_EQ(utf8(results.line(0)), "01001A\t北海道阿寒郡(あかんぐん)阿寒町(あかんちょう)");

    for (const char* text : {"0100", "01001A ", "", "01001AB"}) {
        request.setNumberText(text);
        EXPECT_EQ(runSearch(places, request, results), -1) << text;
    }
    EXPECT_EQ(results.count(), 1);
}

TEST_F(Search, NumberOutsideTheScopeFindsNothing) {
    SearchRequest request;
    request.numberGiven = true;
    request.setNumberText("0101");
    request.prefecturePosition = 10;
    ResultList results;
    EXPECT_EQ(runSearch(places, request, results), -1);
    request.prefecturePosition = 0;
    request.areaPosition = 8;  // 北海道
    EXPECT_EQ(runSearch(places, request, results), 1);
    // An entry beyond the scope's list finds nothing rather than a neighbour.
    request.numberEntry = places.areaTable[8].last - places.areaTable[8].first + 1;
    EXPECT_EQ(runSearch(places, request, results), -1);
    EXPECT_EQ(results.count(), 1);
}

TEST_F(Search, NumberPathIgnoresTheNameFields) {
    SearchRequest request = names(SearchMode::Reading, "さっぽろ", nullptr);
    request.numberGiven = true;
    request.setNumberText("0101");
    ResultList results;
    EXPECT_EQ(runSearch(places, request, results), 1);
    EXPECT_EQ(results.count(), 1);
}

// ----- name path -----

TEST_F(Search, WardTextFindsEveryContainingNameInRecordOrder) {
    ResultList results;
    EXPECT_EQ(runSearch(places, names(SearchMode::Kanji, nullptr, "北区"), results), 9);
    std::vector<std::string> numbers;
    for (const std::string& text : lines(results)) numbers.push_back(numberOf(text));
    EXPECT_EQ(numbers, (std::vector<std::string>{"010102", "100117", "110109", "200103", "220101", "250101", "270107",
                                                 "350106", "402104"}));
    EXPECT_EQ(lines(results)[2], "110109\t神奈川県横浜市(よこはまし)港北区(こうほくく)");
}

TEST_F(Search, ReadingTextFindsCityAndOldDistrict) {
    ResultList results;
    EXPECT_EQ(runSearch(places, names(SearchMode::Reading, "さっぽろ", nullptr), results), 2);
    EXPECT_EQ(lines(results),
              (std::vector<std::string>{"0101\t北海道札幌市(さっぽろし)", "01029\t北海道札幌郡(さっぽろぐん)【旧】"}));
    // Readings are hiragana: byte-wise, katakana finds nothing.
    SearchRequest katakana = names(SearchMode::Reading, "サッポロ", nullptr);
    katakana.exact = true;
    EXPECT_EQ(runSearch(places, katakana, results), 0);
}

TEST_F(Search, NameMatchStraddlesDoubleByteCharacters) {
    ResultList results;
    int count = runSearch(places, names(SearchMode::Kanji, nullptr, "結"), results);
    EXPECT_EQ(count, 17);
    std::vector<std::string> found = lines(results);
    for (const char* name : {"東区", "台東区", "東郷町", "東吉野村", "佐伯区"}) {
        bool seen = false;
        for (const std::string& text : found) seen = seen || text.find(name) != std::string::npos;
        EXPECT_TRUE(seen) << name;
    }
    // 白 is 0x94 0x92: the trail byte of 部 and the lead byte of 町.
    runSearch(places, names(SearchMode::Kanji, nullptr, "白"), results);
    bool nambu = false;
    for (const std::string& text : lines(results, 17)) nambu = nambu || text.find("南部町(") != std::string::npos;
    EXPECT_TRUE(nambu);
}

TEST_F(Search, NameMatchSeesQualifiersAndMarks) {
    ResultList results;
    EXPECT_EQ(runSearch(places, names(SearchMode::Kanji, "後志", nullptr), results), 1);
    EXPECT_EQ(numberOf(utf8(results.line(0))), "01006");
    int before = results.count();
    runSearch(places, names(SearchMode::Reading, nullptr, "まち)"), results);
    bool found = false;
    for (const std::string& text : lines(results, before)) found = found || numberOf(text) == "06013D";
    EXPECT_TRUE(found);
}

TEST_F(Search, EmptyTextMatchesEveryRecordOfTheKinds) {
    ResultList results;
    int cities = runSearch(places, names(SearchMode::Reading, "", nullptr), results);
    int wards = runSearch(places, names(SearchMode::Kanji, nullptr, ""), results);
    int cityKinds = 0;
    for (int i = 0; i < places.count(); ++i) cityKinds += places.records[i].kind <= kKindDistrict;
    EXPECT_EQ(cities, cityKinds);
    EXPECT_EQ(cities + wards, places.count());
    EXPECT_EQ(results.count(), places.count());
}

TEST_F(Search, CityTextWinsOverWardText) {
    ResultList results;
    EXPECT_EQ(runSearch(places, names(SearchMode::Kanji, "札幌", "北区"), results), 2);
    EXPECT_EQ(numberOf(utf8(results.line(0))), "0101");
}

TEST_F(Search, NoFlagMeansNothingToSearch) {
    SearchRequest request;
    request.setNumberText("0101");
    request.setCityText(sjis("札幌").c_str());
    request.setWardText(sjis("北区").c_str());
    ResultList results;
    EXPECT_EQ(runSearch(places, request, results), -1);
    EXPECT_EQ(results.count(), 0);
}

TEST_F(Search, ScopeLimitsTheWalk) {
    ResultList results;
    SearchRequest request = names(SearchMode::Kanji, nullptr, "北区");
    request.areaPosition = 3;  // 京都府..兵庫県
    EXPECT_EQ(runSearch(places, request, results), 3);
    request.areaPosition = 0;
    request.prefecturePosition = 27;
    EXPECT_EQ(runSearch(places, request, results), 1);
    // An empty range is walked zero times.
    places.prefectureTable[27].first = places.prefectureTable[27].last + 1;
    EXPECT_EQ(runSearch(places, request, results), 0);
    EXPECT_EQ(results.count(), 4);
}

TEST_F(Search, SuccessiveSearchesAccumulate) {
    ResultList results;
    runSearch(places, names(SearchMode::Reading, "さっぽろ", nullptr), results);
    runSearch(places, names(SearchMode::Kanji, nullptr, "千代田区"), results);
    ASSERT_EQ(results.count(), 3);
    EXPECT_EQ(numberOf(utf8(results.line(0))), "0101");
    EXPECT_EQ(numberOf(utf8(results.line(2))), "100101");
}

TEST_F(Search, RequestCutsTextsToTheirLimits) {
    SearchRequest request;
    request.setNumberText("0123456789abcdefghij");
    EXPECT_EQ(std::strlen(request.numberText), 15u);
    std::string longName(60, 'a');
    request.setCityText(longName.c_str());
    EXPECT_EQ(std::strlen(request.cityText), 44u);
}

// ----- folded matching -----

// Each text finds the place with the number. Folded, a search's lines are a
// superset of the exact rule's, in record order. Where nothing folds
// (`unfolded`) they are the same lines; otherwise the exact rule misses the place.
TEST_F(Search, FoldedSearchFindsWhatPeopleType) {
    enum In { Number, City, Ward };
    const SearchMode K = SearchMode::Kanji, R = SearchMode::Reading;
    struct Case {
        In field;
        SearchMode mode;
        const char* text;
        const char* number;
        bool unfolded = false;
    };
    const Case cases[] = {
        {Number, K, "０１０１", "0101"},   {Number, K, "０１００１ａ", "01001A"},
        {Number, K, " 0101　", "0101"},    {Number, K, "01001a", "01001A", true},
        {City, K, "竜ヶ崎", "1408"},       {City, K, "龍ヶ崎", "1408"},
        {City, K, "竜ケ崎", "1408"},       {Ward, K, "にせこ", "01006D"},  // a katakana name
        {City, R, "サッポロ", "0101"},     {City, R, "ｻｯﾎﾟﾛ", "0101"},
        {City, R, "sapporo", "0101"},      {City, R, "ＳＡＰＰＯＲＯ", "0101"},
        {Ward, R, "chuo", "010101"},       {Ward, R, "tyuuou", "010101"},
        {Ward, R, "rokkasho", "02001K"},   {City, R, "jouetsu", "0822"},
        {City, R, "sozya", "3110"},        {City, R, "mombetsu", "0119"},
        {City, R, "nan'you", "0513"},      {City, R, "さっぽろ", "0101", true},
        {Ward, K, "北区", "010102", true}, {Ward, K, "結", "010103", true},  // byte matches across characters stay
    };
    for (const Case& c : cases) {
        SearchRequest request;
        request.searchMode = c.mode;
        const std::string text = sjis(c.text);
        if (c.field == Number) request.numberGiven = true, request.setNumberText(text.c_str());
        if (c.field == City) request.cityGiven = true, request.setCityText(text.c_str());
        if (c.field == Ward) request.wardGiven = true, request.setWardText(text.c_str());
        ResultList folded, exact;
        runSearch(places, request, folded);
        request.exact = true;
        runSearch(places, request, exact);

        std::vector<std::string> foldedLines = lines(folded), exactLines = lines(exact);
        std::vector<int> indices;
        for (const std::string& text : foldedLines) indices.push_back(indexOf(numberOf(text).c_str()));
        EXPECT_TRUE(std::is_sorted(indices.begin(), indices.end())) << c.text;
        EXPECT_NE(std::find(indices.begin(), indices.end(), indexOf(c.number)), indices.end()) << c.text;
        EXPECT_TRUE(std::includes(foldedLines.begin(), foldedLines.end(), exactLines.begin(), exactLines.end(),
                                  [](const std::string& a, const std::string& b) {
                                      return indexOf(numberOf(a).c_str()) < indexOf(numberOf(b).c_str());
                                  }))
            << c.text;
        if (c.unfolded) {
            EXPECT_EQ(foldedLines, exactLines) << c.text;
        } else {
            for (const std::string& text : exactLines) EXPECT_NE(numberOf(text), c.number) << c.text;
        }
    }
}

// A list made for another day can take the place, the record block and the
// count of the one it replaces; the folded search still reads the new day's
// names. 16003E was renamed 明和村 -> 明和町 on 1998-10-01.
TEST(FoldedIndex, FollowsTheDayAcrossListsOfEqualCount) {
    const struct {
        const char* date;
        const char* name;
    } kDays[] = {{"1998-09-30", "明和村"}, {"1998-10-01", "明和町"}, {"1998-09-30", "明和村"}};
    PlaceList block;  // owns the one record block every day's list uses
    ASSERT_EQ(loadEditionList(block, kEditionCurrent), decodedSize(kEditionCurrent));
    const std::vector<PlaceRecord> shipped(block.records, block.records + kEditionCurrent.recordCount);
    PlaceList shown;
    int count = 0;
    for (const auto& day : kDays) {
        PlaceList next = block;
        next.version = 0;  // a list of its own, made afresh
        std::copy(shipped.begin(), shipped.end(), next.records);
        rewindToDate(kEditionCurrent, day.date, next);
        shown = next;
        if (count) {
            EXPECT_EQ(shown.count(), count);
        }
        count = shown.count();
        SearchRequest request;
        request.wardGiven = true;
        request.setWardText(sjis(day.name).c_str());
        ResultList results;
        runSearch(shown, request, results);
        bool found = false;
        for (int i = 0; i < results.count(); ++i) found |= std::strncmp(results.line(i), "16003E", 6) == 0;
        EXPECT_TRUE(found) << day.date;
    }
    releaseDictionary(block);
    forgetFoldedIndex();
}

}  // namespace
}  // namespace orvetta
