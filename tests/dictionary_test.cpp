// The built-in dictionary: image, record content, region tables and loading.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "dict/codec.h"
#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "tests/sjis.h"
#include "tests/place_list_test.h"

namespace orvetta {
namespace {

using test::sjis;

// Every test starts from a freshly loaded dictionary and default seams.
class Dictionary : public test::PlaceListTest {
protected:
    void TearDown() override {
        PlaceListTest::TearDown();
        gLoadSeams = defaultLoadSeams();
    }
    static const PlaceRecord& at(int i) { return places.records[i]; }
};

// A place list as the build tool packs it, read again independently.
std::vector<PlaceRecord> packPlaceList(const std::string& path) {
    std::ifstream in(ORVETTA_SOURCE_DIR "/" + path, std::ios::binary);
    std::vector<PlaceRecord> records;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        size_t start = 0, tab;
        while ((tab = line.find('\t', start)) != std::string::npos)
            f.push_back(line.substr(start, tab - start)), start = tab + 1;
        f.push_back(line.substr(start));
        PlaceRecord r{};
        std::string kanji = sjis(f[1]), reading = sjis(f[2]);
        std::memcpy(r.number, f[0].data(), f[0].size());
        std::memcpy(r.kanji, kanji.data(), kanji.size());
        std::memcpy(r.reading, reading.data(), reading.size());
        r.kind = f[3][0];
        r.current = f[4][0];
        records.push_back(r);
    }
    return records;
}

// The call-area digit of each prefecture row, from the prefecture list.
std::vector<char> prefectureAreas() {
    std::ifstream in(ORVETTA_SOURCE_DIR "/dict/prefectures.tsv");
    std::vector<char> areas;
    std::string code, name, area, english;
    std::getline(in, code);  // header
    while (in >> code >> name >> area >> english) areas.push_back(area[0]);
    return areas;
}

struct EditionCase {
    const Edition& edition;
    const char* list;
    int records;
};
const EditionCase kEditions[] = {{kEdition1998, "dict/places.tsv", 4085},
                                 {kEditionCurrent, "dict/current/places.tsv", 4453}};

// Each edition's image decodes to its list, re-encodes to itself byte for
// byte, and ships the tables the list implies: a prefecture row spans the
// records of its code, an area row the prefectures of its digit.
TEST(DictionaryImage, EachEditionIsItsPlaceListAndTheTablesItImplies) {
    const std::vector<char> areaOf = prefectureAreas();
    ASSERT_EQ(areaOf.size(), 49u);
    for (const EditionCase& c : kEditions) {
        SCOPED_TRACE(c.edition.name);
        std::vector<PlaceRecord> list = packPlaceList(c.list);
        ASSERT_EQ(static_cast<int>(list.size()), c.records);
        ASSERT_EQ(c.edition.recordCount, c.records);
        const int size = c.records * kRecordSize;
        std::vector<uint8_t> out(size);
        ASSERT_EQ(decodeDictionary(c.edition.image, c.edition.imageSize, out.data(), size), size);
        EXPECT_EQ(std::memcmp(out.data(), list.data(), out.size()), 0);
        std::vector<uint8_t> image = encodeDictionary(out.data(), out.size());
        EXPECT_TRUE(image.size() == c.edition.imageSize &&
                    std::memcmp(image.data(), c.edition.image, image.size()) == 0);

        int first[49], last[49];
        std::fill(first, first + 49, -1);
        for (int i = 0; i < c.records; ++i) {
            const int k = std::stoi(std::string(list[i].number, 2));
            if (first[k] < 0) first[k] = i;
            last[k] = i;
        }
        first[0] = 0, last[0] = c.records - 1, first[48] = last[48] = c.records;
        for (int k = 0; k < kPrefectureRows; ++k) {
            EXPECT_EQ(c.edition.prefectureTable[k].first, first[k]) << k;
            EXPECT_EQ(c.edition.prefectureTable[k].last, last[k]) << k;
        }
        for (int a = 0; a < kAreaRows; ++a) {
            const char digit = a == 0 ? '*' : a == 10 ? '0' : static_cast<char>('0' + a);
            int lo = c.records, hi = -1;
            for (int k = 1; k <= 47; ++k)
                if (a == 0 || areaOf[k] == digit) lo = std::min(lo, first[k]), hi = std::max(hi, last[k]);
            EXPECT_EQ(c.edition.areaTable[a].first, lo) << "area row " << a;
            EXPECT_EQ(c.edition.areaTable[a].last, hi) << "area row " << a;
        }
    }
}

// The 1998 tables as published, every row.
TEST(DictionaryImage, The1998TablesAreThePublishedOnes) {
    const int prefectures[49][2] = {
        {0, 4084},    {0, 302},     {303, 377},   {378, 452},   {453, 530},   {531, 585},   {586, 680},
        {681, 793},   {794, 923},   {924, 1062},  {1063, 1136}, {1137, 1206}, {1207, 1309}, {1310, 1414},
        {1415, 1524}, {1525, 1582}, {1583, 1664}, {1665, 1736}, {1737, 1825}, {1826, 1944}, {1945, 2068},
        {2069, 2154}, {2155, 2224}, {2225, 2286}, {2287, 2344}, {2345, 2427}, {2428, 2484}, {2485, 2609},
        {2610, 2652}, {2653, 2698}, {2699, 2747}, {2748, 2847}, {2848, 2923}, {2924, 2990}, {2991, 3035},
        {3036, 3148}, {3149, 3198}, {3199, 3258}, {3259, 3340}, {3341, 3400}, {3401, 3538}, {3539, 3595},
        {3596, 3683}, {3684, 3793}, {3794, 3864}, {3865, 3916}, {3917, 4025}, {4026, 4084}, {4085, 4085},
    };
    const int areas[11][2] = {{0, 4084},    {1063, 1736}, {1737, 2154}, {2155, 2609}, {2748, 3148}, {3149, 3400},
                              {3401, 4084}, {303, 793},   {0, 302},     {2610, 2747}, {794, 1062}};
    for (int k = 0; k < kPrefectureRows; ++k) {
        EXPECT_EQ(kEdition1998.prefectureTable[k].first, prefectures[k][0]) << k;
        EXPECT_EQ(kEdition1998.prefectureTable[k].last, prefectures[k][1]) << k;
    }
    for (int a = 0; a < kAreaRows; ++a) {
        EXPECT_EQ(kEdition1998.areaTable[a].first, areas[a][0]) << a;
        EXPECT_EQ(kEdition1998.areaTable[a].last, areas[a][1]) << a;
    }
}

TEST_F(Dictionary, CountsByKindAndCurrent) {
    int byKind[10] = {}, old = 0;
    for (int i = 0; i < shippedRecordCount(); ++i) {
        ++byKind[at(i).kind - '0'];
        old += at(i).current == '0';
        EXPECT_TRUE(at(i).current == '0' || at(i).current == '1') << i;
    }
    EXPECT_EQ(shippedRecordCount(), 4085);
    EXPECT_EQ(byKind[4], 702);
    EXPECT_EQ(byKind[6], 154);
    EXPECT_EQ(byKind[5], 616);
    EXPECT_EQ(byKind[7], 2037);
    EXPECT_EQ(byKind[8], 576);
    EXPECT_EQ(old, 136);
}

TEST_F(Dictionary, CountsByPrefecture) {
    // records, cities, wards, districts, towns, villages, old
    const int expected[47][7] = {
        {303, 35, 10, 78, 156, 24, 12}, {75, 8, 0, 8, 34, 25, 0},     {75, 13, 0, 13, 31, 18, 4},
        {78, 9, 0, 9, 50, 10, 0},       {55, 13, 0, 11, 27, 4, 2},    {95, 11, 5, 16, 61, 2, 4},
        {113, 15, 0, 17, 53, 28, 9},    {130, 22, 0, 16, 57, 35, 2},  {139, 18, 0, 16, 38, 67, 3},
        {74, 29, 23, 7, 7, 8, 5},       {70, 19, 25, 7, 18, 1, 1},    {103, 31, 6, 12, 49, 5, 8},
        {105, 43, 0, 9, 42, 11, 4},     {110, 22, 0, 14, 54, 20, 11}, {58, 12, 0, 8, 36, 2, 2},
        {82, 11, 0, 12, 32, 27, 0},     {72, 7, 0, 8, 37, 20, 0},     {89, 22, 0, 13, 49, 5, 3},
        {119, 14, 0, 18, 56, 31, 3},    {124, 32, 16, 18, 48, 10, 5}, {86, 14, 0, 16, 47, 9, 3},
        {70, 12, 11, 14, 32, 1, 3},     {62, 7, 0, 12, 42, 1, 0},     {58, 10, 0, 10, 21, 17, 3},
        {83, 36, 27, 7, 12, 1, 10},     {57, 7, 0, 7, 36, 7, 0},      {125, 21, 9, 24, 71, 0, 5},
        {43, 9, 0, 8, 18, 8, 1},        {46, 7, 0, 11, 22, 6, 1},     {49, 8, 0, 8, 27, 6, 0},
        {100, 13, 0, 19, 56, 12, 4},    {76, 8, 0, 17, 41, 10, 5},    {67, 14, 0, 11, 37, 5, 0},
        {45, 4, 0, 6, 31, 4, 0},        {113, 14, 8, 16, 69, 6, 4},   {50, 5, 0, 7, 38, 0, 0},
        {60, 4, 0, 10, 38, 8, 0},       {82, 12, 0, 12, 44, 14, 1},   {60, 9, 0, 7, 25, 19, 0},
        {138, 29, 14, 18, 69, 8, 10},   {57, 7, 0, 8, 37, 5, 0},      {88, 8, 0, 9, 70, 1, 0},
        {110, 11, 0, 12, 66, 21, 5},    {71, 12, 0, 12, 36, 11, 1},   {52, 9, 0, 8, 28, 7, 0},
        {109, 15, 0, 12, 73, 9, 1},     {59, 11, 0, 5, 16, 27, 1},
    };
    for (int k = 1; k <= 47; ++k) {
        const PrefectureRow& row = places.prefectureTable[k];
        int got[7] = {row.last - row.first + 1};
        for (int i = row.first; i <= row.last; ++i) {
            const int column[] = {0, 0, 0, 0, 1, 3, 2, 4, 5};  // kind digit -> column
            ++got[column[at(i).kind - '0']];
            got[6] += at(i).current == '0';
        }
        for (int c = 0; c < 7; ++c) EXPECT_EQ(got[c], expected[k - 1][c]) << "prefecture " << k << " column " << c;
    }
}

TEST_F(Dictionary, AnchorRecordsStandAtTheirIndices) {
    struct Anchor {
        int index;
        const char *number, *kanji, *reading;
        char kind, current;
    };
    const Anchor anchors[] = {
        {0, "0101", "札幌市", "さっぽろし", '4', '1'},
        {1, "010101", "中央区", "ちゅうおうく", '6', '1'},
        {41, "0132", "亀田市", "かめだし", '4', '0'},
        {45, "01001", "阿寒郡", "あかんぐん", '5', '1'},
        {46, "01001A", "阿寒町", "あかんちょう", '7', '1'},
        {47, "01001B", "鶴居村", "つるいむら", '8', '1'},
        {663, "06013D", "宮城町", "@みやぎちょう(まち)", '7', '0'},
        {1063, "1001", "２３区", "にじゅうさんく", '4', '1'},
        {1124, "10004", "大島支庁", "おおしましちょう", '5', '1'},
        {1125, "10004A", "大島町", "おおしままち", '7', '1'},
        {4026, "4701", "那覇市", "なはし", '4', '1'},
        {4084, "47005B", "竹富町", "たけとみちょう", '7', '1'},
    };
    for (const Anchor& a : anchors) {
        const PlaceRecord& r = at(a.index);
        EXPECT_STREQ(r.number, a.number) << a.index;
        EXPECT_EQ(std::string(r.kanji), sjis(a.kanji)) << a.index;
        EXPECT_EQ(std::string(r.reading), sjis(a.reading)) << a.index;
        EXPECT_EQ(r.kind, a.kind) << a.index;
        EXPECT_EQ(r.current, a.current) << a.index;
    }
    // ２３区 is followed by its 23 wards; 石狩市 by the prefecture's first district.
    for (int w = 1; w <= 23; ++w) {
        EXPECT_EQ(at(1063 + w).kind, kKindWard);
        EXPECT_EQ(std::string(at(1063 + w).number), "1001" + std::string(w < 10 ? "0" : "") + std::to_string(w));
    }
    EXPECT_STREQ(at(44).number, "0135");
    EXPECT_STREQ(at(45).number, "01001");
}

TEST_F(Dictionary, EveryFieldIsTerminatedAndPaddedWithNul) {
    for (int i = 0; i < shippedRecordCount(); ++i) {
        const PlaceRecord& r = at(i);
        for (const auto& [field, width] :
             {std::pair{r.number, sizeof r.number}, {r.kanji, sizeof r.kanji}, {r.reading, sizeof r.reading}}) {
            size_t length = strnlen(field, width);
            ASSERT_LT(length, width) << i;
            for (size_t b = length; b < width; ++b) ASSERT_EQ(field[b], '\0') << i;
        }
    }
}

TEST_F(Dictionary, SpareSlotsAreAllZero) {
    const auto* spare = reinterpret_cast<const uint8_t*>(places.records + shippedRecordCount());
    for (int b = 0; b < kSpareSlots * kRecordSize; ++b) ASSERT_EQ(spare[b], 0) << b;
    EXPECT_EQ(recordArraySlots(), 4185);
}

TEST_F(Dictionary, PrefectureCodesNamesAndAreas) {
    EXPECT_STREQ(places.prefectureTable[0].code, "00");
    EXPECT_EQ(std::string(places.prefectureTable[0].name), sjis("すべて"));
    EXPECT_STREQ(places.prefectureTable[0].area, "*");
    EXPECT_EQ(std::string(places.prefectureTable[10].name), sjis("東京都"));
    EXPECT_EQ(std::string(places.prefectureTable[11].name), sjis("神奈川県"));
    EXPECT_EQ(std::string(places.prefectureTable[48].name), sjis("不明"));
    EXPECT_STREQ(places.prefectureTable[48].code, "48");
    EXPECT_STREQ(places.prefectureTable[48].area, "0");
}

TEST(RegionLabels, AreShiftJisOfTheirTexts) {
    const char* labels[] = {"すべて", "１", "２", "３", "４", "５", "６", "７", "８", "９", "０"};
    for (int k = 0; k < kAreaRows; ++k) EXPECT_EQ(std::string(kAreaChoiceLabels[k]), sjis(labels[k])) << k;
    const char* captions[] = {"１エリア(関東)", "２エリア(東海)",       "３エリア(近畿)", "４エリア(中国)",
                              "５エリア(四国)", "６エリア(九州・沖縄)", "７エリア(東北)", "８エリア(北海道)",
                              "９エリア(北陸)", "０エリア(信越)"};
    const char* areas[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
    for (int k = 0; k < kAreaCaptionCount; ++k) {
        EXPECT_EQ(std::string(kAreaCaptions[k].caption), sjis(captions[k])) << k;
        EXPECT_STREQ(kAreaCaptions[k].area, areas[k]);
    }
    EXPECT_EQ(std::string(kMemoryErrorText), sjis("空きメモリが足りません\n終了します"));
    EXPECT_EQ(std::string(kMemoryErrorCaption), sjis("Orvetta：メモリエラー"));
    EXPECT_EQ(std::string(kInitErrorText), sjis("辞書の初期化に失敗しました\n終了します"));
    EXPECT_EQ(std::string(kInitErrorCaption), sjis("Orvetta：初期化エラー"));
}

TEST(LoadDictionary, NoMemoryLeavesTheReferenceEmpty) {
    PlaceList places;
    gLoadSeams.allocate = [](size_t) -> void* { return nullptr; };
    EXPECT_EQ(loadDictionary(places), kLoadNoMemory);
    EXPECT_EQ(places.records, nullptr);
    releaseDictionary(places);  // releasing nothing does not fail
    gLoadSeams = defaultLoadSeams();
}

TEST(LoadDictionary, DamagedImageFailsTheDecode) {
    PlaceList places;
    std::vector<uint8_t> damaged(gEdition->image, gEdition->image + gEdition->imageSize);
    damaged.resize(damaged.size() / 2);  // truncated
    gLoadSeams.image = damaged.data();
    gLoadSeams.imageSize = damaged.size();
    EXPECT_EQ(loadDictionary(places), kLoadDecodeFailed);
    EXPECT_NE(places.records, nullptr);  // the block is still held until the release
    releaseDictionary(places);
    EXPECT_EQ(places.records, nullptr);

    gLoadSeams.image = nullptr;  // absent image
    EXPECT_EQ(loadDictionary(places), kLoadDecodeFailed);
    releaseDictionary(places);
    gLoadSeams = defaultLoadSeams();
}

TEST(LoadDictionary, ReloadingResetsTheTables) {
    PlaceList places;
    ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
    places.areaTable[0].last = 1;
    places.prefectureTable[5].first = 7;
    ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
    EXPECT_EQ(std::memcmp(places.areaTable, shippedAreaTable(), sizeof places.areaTable), 0);
    EXPECT_EQ(std::memcmp(places.prefectureTable, shippedPrefectureTable(), sizeof places.prefectureTable), 0);
    releaseDictionary(places);
}

}  // namespace
}  // namespace orvetta
