// Folding of search text and the canonical romaji of readings and queries.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "search/fold.h"
#include "search/romaji.h"
#include "tests/sjis.h"

namespace orvetta {
namespace {

using test::sjis;
using test::utf8;

std::string fold(const std::string& sjisText) { return foldQuery(sjisText.c_str()); }

TEST(Fold, FoldsWidthCaseKanaAndSpaces) {
    const std::pair<const char*, const char*> pairs[] = {
        {"０１２３ＡＢＣａｂｃ", "0123abcabc"},
        {"Ab Cd", "ab cd"},              // inner spaces stay
        {"　 さっぽろ 　", "さっぽろ"},  // outer spaces, ASCII and full-width, go
        {"ｻｯﾎﾟﾛ", "さっぽろ"},           // half-width with a semi-voiced mark
        {"ｶﾞｷﾞﾊﾟﾎ", "がぎぱほ"},
        {"ｳﾞ ｰ", "ヴ ー"},  // ヴ has no hiragana form
        {"ﾞ", "゛"},        // a mark with nothing to join
        {"カタカナ", "かたかな"},
        {"ケヶヵけ", "けけけけ"},
        {"龍ケ崎", "竜け崎"},
        {"札幌市", "札幌市"},
    };
    for (auto [from, to] : pairs) EXPECT_EQ(utf8(fold(sjis(from))), to) << from;
    EXPECT_EQ(fold("\x87\x9a"), sjis("∵"));  // the NEC code of ∵ folds to the JIS one
    EXPECT_EQ(fold("abc\x82"), "abc");       // a lead byte cut off at the end
}

TEST(Fold, FoldsEveryVariantGroupToItsFirstCharacter) {
    std::ifstream file(ORVETTA_SOURCE_DIR "/search/variants.txt");
    std::string line;
    int groups = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::string group = sjis(line.substr(0, line.find('\t')));
        ++groups;
        for (size_t i = 0; i < group.size(); i += 2)
            EXPECT_EQ(utf8(fold(group.substr(i, 2))), utf8(group.substr(0, 2))) << line;
    }
    EXPECT_GE(groups, 41);
}

std::string romajiOf(const char* kana) {
    std::string folded = fold(sjis(kana)), romaji;
    appendRomaji(folded.data(), folded.size(), romaji);
    return romaji;
}

// Every spelling of a row reads the same canonical romaji as the row's kana.
TEST(Fold, SpellsReadingsAndQueriesInOneRomaji) {
    const std::pair<const char*, const char*> rows[] = {
        {"さっぽろ", "sapporo SAPPORO"},
        {"サッポロ", "sapporo"},                     // katakana readings too
        {"ちゅうおう", "chuo chuuou chuou tyuuou"},  // long vowels written or not
        {"ろっかしょ", "rokkasho rokkasyo"},         // double consonants
        {"しちつふじ", "shichitsufuji sitituhuzi"},  // Hepburn and Kunrei
        {"しゃちょじゃ", "shachoja syatyozya"},
        {"ぢづを", "jizuo diduwo"},             // Nihon-shiki, を as wo
        {"なんよう", "nan'you nanyou nan-yo"},  // ん before a vowel or y
        {"もんべつ", "mombetsu monbetsu"},      // ん written m before b, m, p
        {"しんぽ", "shimpo shinpo"},
        {"まっちゃ", "matcha maccha mattya"},
        {"まっち", "matchi macchi matti"},
        {"ふぁ", "fa"},
        {"こうち", "kochi kouchi"},
    };
    for (auto [kana, spellings] : rows) {
        const std::string romaji = romajiOf(kana);
        std::istringstream words(spellings);
        for (std::string word; words >> word;) EXPECT_EQ(romajiOfQuery(word), romaji) << kana << " " << word;
    }
    EXPECT_EQ(romajiOfQuery("sapporo1"), "");  // not a romaji query
    EXPECT_EQ(romajiOfQuery(fold(sjis("さっぽろ"))), "");
    EXPECT_EQ(romajiOf("@みやぎ(まち)"), "@miyagi(mati)");
    EXPECT_EQ(withoutVowelMarks("Chūō Tôkyô"), "Chuo Tokyo");
}

}  // namespace
}  // namespace orvetta
