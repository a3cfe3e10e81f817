// Shift-JIS text: walking characters and the conversion rule, as tiny byte
// strings with a phrase each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "text/sjis.h"
#include "text/texts.h"
#include "text/utf.h"

namespace orvetta {
namespace {

using namespace std::string_literals;

struct SjisCase {
    const char* phrase;
    std::string sjis;
    std::string steps;  // per character: 'w' whole single, 'W' whole double, 'x' bad byte
    std::string utf8;   // what it shows as
};

const SjisCase kSjisCases[] = {
    {"ASCII", "a1", "ww", "a1"},
    {"double-byte kanji", "\x8e\x44\x96\x79\x8e\x73", "WWW", "札幌市"},
    {"half-width katakana", "\xb1\xdf", "ww", "ｱﾟ"},
    {"a trail byte in the ASCII range", "\x82\x60", "W", "Ａ"},
    {"lead byte at the end", "a\x82", "wx", "a\uFFFD"},
    {"lead byte before a space", "\x82 x", "xww", "\uFFFD x"},
    {"lead byte before a NUL", "\x82\0b"s, "xww", "\uFFFD\0b"s},
    {"0x7F is no trail byte", "\x81\x7f", "xw", "\uFFFD\x7f"},
    {"bytes that start nothing", "\x80\xa0\xfd\xff", "xxxx", "\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"well-formed but unmapped pair", "\x85\x40z", "Ww", "\uFFFDz"},
};

TEST(SjisText, WalksAndConvertsByOneRule) {
    for (const SjisCase& c : kSjisCases) {
        std::string steps;
        const char* const end = c.sjis.data() + c.sjis.size();
        for (const char* p = c.sjis.data(); p < end;) {
            const SjisChar ch = sjisCharAt(p, end);
            steps += !ch.whole ? 'x' : ch.length == 2 ? 'W' : 'w';
            p += ch.length;
        }
        EXPECT_EQ(steps, c.steps) << c.phrase;
        const std::string shown = utf8FromSjis(c.sjis.data(), c.sjis.size());
        EXPECT_EQ(shown, c.utf8) << c.phrase;
        // UTF-16 shows the same; text without U+FFFD reads back to its bytes.
        std::string fromUtf8, fromUtf16;
        const bool back = sjisFromUtf8(shown, fromUtf8);
        EXPECT_EQ(back, shown.find("\uFFFD") == std::string::npos) << c.phrase;
        EXPECT_EQ(sjisFromUtf16(utf16FromSjis(c.sjis.data(), c.sjis.size()), fromUtf16), back) << c.phrase;
        EXPECT_EQ(fromUtf16, fromUtf8) << c.phrase;
        if (back) {
            EXPECT_EQ(fromUtf8, c.sjis) << c.phrase;
        }
    }
}

TEST(SjisText, InputWithoutShiftJisFormFailsWhole) {
    const std::string kInputs[] = {
        "\xf0\xa0\x80\x8b",  // U+2000B, outside code page 932
        "a\xff",             // not UTF-8
        "\xc2\x80",          // U+0080, which would be a byte that starts nothing
    };
    std::string sjis = "old";
    for (const std::string& input : kInputs) {
        EXPECT_FALSE(sjisFromUtf8(input, sjis)) << input;
        EXPECT_EQ(sjis, "");
    }
    EXPECT_FALSE(sjisFromUtf16(u"\xD800", sjis));  // a lone surrogate
    EXPECT_TRUE(sjisFromUtf8("", sjis));
    EXPECT_EQ(sjis, "");
}

TEST(TextTable, FormsAreFilledInAndBrokenRowsStopTheBuild) {
    EXPECT_EQ(formatText(TextId::HitCountFound, Language::English, 12), "12 found");
    EXPECT_EQ(formatText(TextId::UpdateErrorLine, Language::English, 3, "why"), "Line 3: why");
    struct Case {
        const char* rows;
        const char* message;
    } cases[] = {
        {"MenuFile\tファイル(&F)\t\n", "a row is an id, its Japanese form and its English form"},
        {"MenuFile\tファイル(&F)\n", "a row is an id"},
        {"MenuFile\ta\tb\nMenuFile\tc\td\n", "the id MenuFile comes twice"},
        {"menu file\ta\tb\n", "is not a name"},
        {"Count\t%d 件\t%s found\n", "different printf arguments"},
        {"Euro\ta\t€\n", "has no Shift-JIS form"},
    };
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvetta_text_table_test";
    std::filesystem::create_directories(dir);
    for (const Case& c : cases) {
        std::ofstream(dir / "texts.tsv") << "# comment\n\n" << c.rows;
        const std::string command = "python3 " ORVETTA_SOURCE_DIR "/scripts/make-text-table.py " +
                                    (dir / "texts.tsv").string() + " " + (dir / "out.h").string() + " 2>" +
                                    (dir / "err.txt").string();
        EXPECT_NE(std::system(command.c_str()), 0) << c.rows;
        std::stringstream err;
        err << std::ifstream(dir / "err.txt").rdbuf();
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    std::filesystem::remove_all(dir);
}

// The windows hold no Japanese text of their own: a Shift-JIS lead byte
// written as an escape in ui/ names a font face, never a text a user reads.
TEST(TextTable, WindowsTakeEveryTextFromTheTable) {
    const std::regex leadByte(R"(\\x(8[1-9a-fA-F]|9[0-9a-fA-F]|[eE][0-9a-fA-F]|[fF][0-9a-cA-C]))");
    const std::string fontFace = "\"\\x82l\\x82r \\x82o\\x83S\\x83V\\x83\\x62\\x83N\"";  // ＭＳ Ｐゴシック
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVETTA_SOURCE_DIR "/ui")) {
        if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const size_t face = line.find(fontFace);
            if (face != std::string::npos) line.erase(face, fontFace.size());
            EXPECT_FALSE(std::regex_search(line, leadByte)) << entry.path().filename().string() << ":" << number;
        }
    }
    EXPECT_GT(files, 10);
}

// File names and messages: malformed UTF-8 converts to nothing, an unpaired
// surrogate shows as U+FFFD, and whole text goes both ways unchanged.
TEST(UtfText, ConvertsByOneRule) {
    struct Case {
        const char* phrase;
        std::string utf8;
        bool wellFormed;
    };
    const Case kCases[] = {
        {"ASCII and a NUL", "a\0b"s, true},
        {"kanji and a character past U+FFFF", "\xe6\x9c\xad\xf0\xa0\x80\x8b", true},
        {"a stray continuation byte", "a\x80", false},
        {"a cut sequence", "\xe6\x9c", false},
        {"an overlong slash", "\xc0\xaf", false},
        {"an encoded surrogate", "\xed\xa0\x80", false},
        {"past U+10FFFF", "\xf4\x90\x80\x80", false},
    };
    for (const Case& c : kCases) {
        std::u16string text = u"old";
        EXPECT_EQ(utf16FromUtf8(c.utf8, text), c.wellFormed) << c.phrase;
        if (c.wellFormed)
            EXPECT_EQ(utf8FromUtf16(text), c.utf8) << c.phrase;
        else
            EXPECT_EQ(text, u"") << c.phrase;
    }
    EXPECT_EQ(utf8FromUtf16(u"a\xD800"
                            u"b\xDC00"),
              "a\uFFFDb\uFFFD");
}

}  // namespace
}  // namespace orvetta
