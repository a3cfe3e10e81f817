// Romaji names and English result lines over both editions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/program_places.h"
#include "search/fold.h"
#include "search/result_line.h"
#include "search/romaji.h"
#include "search/romaji_name.h"
#include "tests/sjis.h"

namespace orvetta {
namespace {

using test::sjis;
using test::utf8;

class RomajiName : public ::testing::Test {
protected:
    void TearDown() override {
        releaseDictionary(gPlaces);
        selectEdition(kEdition1998);
    }
    static void load(const Edition& edition) {
        releaseDictionary(gPlaces);
        selectEdition(edition);
        ASSERT_EQ(loadDictionary(gPlaces), decodedDictionarySize());
    }
    static int indexOf(const char* number) {
        for (int i = 0; i < gPlaces.count(); ++i)
            if (std::strcmp(gPlaces.records[i].number, number) == 0) return i;
        return -1;
    }
};

TEST_F(RomajiName, EnglishLinesOfEachKind) {
    struct Case {
        const Edition& edition;
        const char* number;
        const char* line;  // UTF-8
    };
    const Case cases[] = {
        {kEdition1998, "0101", "0101\tSapporo-shi, Hokkaido (札幌市)"},
        {kEdition1998, "010101", "010101\tChuo-ku, Sapporo-shi, Hokkaido (札幌市中央区)"},
        {kEdition1998, "100101", "100101\tChiyoda-ku, Tokyo (千代田区)"},
        {kEdition1998, "01002", "01002\tAshoro-gun, Hokkaido (足寄郡)"},
        {kEdition1998, "01002A", "01002A\tAshoro-cho, Ashoro-gun, Hokkaido (足寄郡足寄町)"},
        {kEdition1998, "01001B", "01001B\tTsurui-mura, Akan-gun, Hokkaido (阿寒郡鶴居村)"},
        {kEdition1998, "0132", "0132\tKameda-shi, Hokkaido (亀田市) (deleted)"},
        // 町 read まち, 村 read そん; おお is one long o.
        {kEdition1998, "02004B", "02004B\tOma-machi, Shimokita-gun, Aomori (下北郡大間町)"},
        {kEdition1998, "31015A", "31015A\tKiyone-son, Tsukubo-gun, Okayama (都窪郡清音村)"},
        // The subprefecture in brackets follows the suffix, where the name has one.
        {kEditionCurrent, "01014A", "01014A\tUryu-cho, Uryu-gun (Sorachi), Hokkaido (雨竜郡(空知)雨竜町)"},
        {kEdition1998, "01014", "01014\tUryu-gun, Hokkaido (雨竜郡)"},
        // JARL's romaji that names the kind takes no suffix; a small first
        // letter in JARL's list is made a capital.
        {kEdition1998, "10004", "10004\tOshima-Shicho, Tokyo (大島支庁)"},
        {kEditionCurrent, "1001", "1001\tTokyo 23-wards, Tokyo (２３区) (deleted)"},
        {kEditionCurrent, "3108", "3108\tSaidaiji-shi, Okayama (西大寺市) (deleted)"},
        // From the reading: っち, ん before y, and 浦 read うら after よ.
        {kEdition1998, "01006C", "01006C\tKutchan-cho, Abuta-gun (Shiribeshi), Hokkaido (虻田郡(後志)倶知安町)"},
        {kEdition1998, "14012F", "14012F\tGozen'yama-mura, Higashiibaraki-gun, Ibaraki (東茨城郡御前山村)"},
        {kEdition1998, "01007C", "01007C\tToyoura-cho, Abuta-gun (Iburi), Hokkaido (虻田郡(胆振)豊浦町)"},
    };
    for (const Case& c : cases) {
        load(c.edition);
        const int index = indexOf(c.number);
        ASSERT_GE(index, 0) << c.number;
        EXPECT_EQ(utf8(resultLine(gPlaces, index, Language::English)), c.line) << c.edition.name;
    }
}

TEST_F(RomajiName, HepburnSpellings) {
    const struct {
        const char* reading;  // UTF-8
        const char* romaji;
    } cases[] = {
        {"ちゅうおう", "chuo"},    {"おおいた", "oita"},       {"にいがた", "niigata"}, {"しゃじゅちょ", "shajucho"},
        {"つふぢづ", "tsufujizu"}, {"かんおんじ", "kan'onji"}, {"はっとり", "hattori"}, {"ラーメン", "ramen"},
    };
    for (const auto& c : cases) {
        const std::string text = sjis(c.reading);
        std::string folded, romaji;
        appendFolded(text.data(), text.size(), folded);
        appendHepburn(folded.data(), folded.size(), romaji);
        EXPECT_EQ(romaji, c.romaji) << c.reading;
    }
}

// Every record of both editions has a romaji name of printable ASCII, and
// its English line is ASCII up to the kanji in brackets.
TEST_F(RomajiName, EveryRecordOfBothEditions) {
    for (const Edition* edition : {&kEdition1998, &kEditionCurrent}) {
        load(*edition);
        for (int i = 0; i < gPlaces.count(); ++i) {
            const std::string name = romajiName(gPlaces.records[i]);
            const std::string line = resultLine(gPlaces, i, Language::English);
            bool ascii = !name.empty();
            for (char c : name) ascii = ascii && c >= 0x20 && c < 0x7f;
            const std::string head = line.substr(0, line.find(" (", line.rfind(", ")));
            for (char c : head) ascii = ascii && c > 0 && c < 0x7f;
            EXPECT_TRUE(ascii) << edition->name << " " << utf8(line);
            EXPECT_EQ(head.compare(head.find('\t') + 1, name.size(), name), 0) << utf8(line);
        }
    }
}

TEST_F(RomajiName, PrefectureAndAreaLabels) {
    load(kEdition1998);
    EXPECT_STREQ(prefectureLabel(gPlaces.prefectureTable[1], Language::English), "Hokkaido");
    EXPECT_STREQ(prefectureLabel(gPlaces.prefectureTable[22], Language::English), "Kyoto");
    EXPECT_EQ(prefectureLabel(gPlaces.prefectureTable[47], Language::Japanese), sjis("沖縄県"));
    EXPECT_STREQ(areaCaptionLabel(kAreaCaptions[7], Language::English), "Area 8 (Hokkaido)");
}

}  // namespace
}  // namespace orvetta
