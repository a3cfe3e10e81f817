// Reading and checking the update file: lines, fields, and the all-or-nothing
// read of a whole file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/update_support.h"
#include "update/update_file.h"
#include "tests/place_list_test.h"

namespace orvetta {
namespace {

using test::crlfFile;
using test::sjis;

// --- readUpdateLine --------------------------------------------------------

struct ReadResult {
    bool read;
    std::string line;
    size_t position;
};

ReadResult readOne(const std::string& bytes, size_t position = 0) {
    char line[kUpdateLineBufferSize];
    std::memset(line, 'z', sizeof line);
    const bool read = readUpdateLine(bytes.c_str(), &position, line);
    return {read, read ? std::string(line) : std::string(), position};
}

TEST(ReadUpdateLine, DropsTheByteBeforeEachLineEnd) {
    const std::string file = "AB\r\nCD\r\n";
    ReadResult first = readOne(file);
    EXPECT_EQ(first.line, "AB");
    EXPECT_EQ(first.position, 4u);
    ReadResult second = readOne(file, first.position);
    EXPECT_EQ(second.line, "CD");
    EXPECT_EQ(second.position, 8u);
    // LF alone: the last real byte goes.
    EXPECT_EQ(readOne("0136,x,y,1\n").line, "0136,x,y,");
}

TEST(ReadUpdateLine, NulEndsALineLikeLf) {
    const std::string file("AB\r\0CD\r\n", 8);
    ReadResult first = readOne(file);
    EXPECT_EQ(first.line, "AB");
    EXPECT_EQ(readOne(file, first.position).line, "CD");
    // A NUL at once is an empty line one byte long.
    ReadResult empty = readOne(std::string("\0x\r\n", 4));
    EXPECT_EQ(empty.line, "");
    EXPECT_EQ(empty.position, 1u);
}

TEST(ReadUpdateLine, LoneLfIsALineOfItself) {
    ReadResult lone = readOne("\nAB\r\n");
    EXPECT_EQ(lone.line, "\n");
    EXPECT_EQ(lone.position, 1u);
}

TEST(ReadUpdateLine, LastLineWithoutEndLosesItsLastByte) {
    ReadResult last = readOne("0136,A,B,1");  // ends at the string's NUL
    EXPECT_EQ(last.line, "0136,A,B,");
    EXPECT_EQ(last.position, 11u);
}

TEST(ReadUpdateLine, Takes249BytesBeforeTheLfAndNotMore) {
    const std::string longest = ";" + std::string(247, 'x') + "\r\n";  // 249 before the LF
    ReadResult read = readOne(longest);
    EXPECT_TRUE(read.read);
    EXPECT_EQ(read.line.size(), 248u);
    EXPECT_EQ(read.position, 250u);

    ReadResult tooLong = readOne(";" + std::string(248, 'x') + "\r\n");
    EXPECT_FALSE(tooLong.read);
    EXPECT_EQ(tooLong.position, 0u);
    EXPECT_FALSE(readOne(std::string(400, 'x')).read);
}

// --- parseUpdateLine ---------------------------------------------------------

int parse(const std::string& utf8Line, PlaceRecord* slot) { return parseUpdateLine(sjis(utf8Line).c_str(), slot); }
int parse(const std::string& utf8Line) {
    PlaceRecord slot{};
    return parse(utf8Line, &slot);
}

TEST(ParseUpdateLine, FillsEveryFieldPaddedWithNul) {
    PlaceRecord slot;
    std::memset(&slot, 'z', sizeof slot);
    ASSERT_EQ(parse("0136,北斗市,ほくとし,1", &slot), 1);
    PlaceRecord expected{};
    std::memcpy(expected.number, "0136", 4);
    std::memcpy(expected.kanji, sjis("北斗市").data(), 6);
    std::memcpy(expected.reading, sjis("ほくとし").data(), 8);
    expected.kind = '4';
    expected.current = '1';
    EXPECT_EQ(std::memcmp(&slot, &expected, sizeof slot), 0);
}

TEST(ParseUpdateLine, TakesTheKindFromTheLastTwoBytesOfTheName) {
    const struct {
        const char* line;
        char kind;
    } cases[] = {
        {"0136,北斗市,ほくとし,1", '4'},     {"01079,新郡,しんぐん,1", '5'},
        {"010111,新区,しんく,1", '6'},       {"01001C,新町,しんまち,1", '7'},
        {"01001B,鶴居村,つるいむら,0", '8'}, {"0136,新村,しんむら,1", '8'},  // the name decides, not the number's form
    };
    for (const auto& c : cases) {
        PlaceRecord slot{};
        ASSERT_EQ(parse(c.line, &slot), 1) << c.line;
        EXPECT_EQ(slot.kind, c.kind) << c.line;
    }
    // Only the bytes count: "ｎ" (0x82 0x8E) then "s" ends in 0x8E 0x73 like 市.
    PlaceRecord slot{};
    ASSERT_EQ(parseUpdateLine("0136,\x82\x8es,x,1", &slot), 1);
    EXPECT_EQ(slot.kind, '4');
}

TEST(ParseUpdateLine, RejectsNamesWithoutASuffix) {
    for (const char* line : {"10008,新支庁,しんしちょう,1", "01006,虻田郡(後志),あぶたぐん,1",
                             "0136,北斗市 ,ほくとし,1", "0136,北斗,ほくと,1", "0136,,ほくとし,1", "0136,s,x,1"})
        EXPECT_EQ(parse(line), 0) << line;
}

TEST(ParseUpdateLine, EnforcesTheFieldWidths) {
    EXPECT_EQ(parse("01001A,一二三四五六七町,いち,1"), 1);               // name of 16 bytes
    EXPECT_EQ(parse("01001A,一二三四五六七八町,いち,1"), 0);             // 18 bytes
    EXPECT_EQ(parse("01001A,a一二三四五六七町,いち,1"), 0);              // 17 bytes
    EXPECT_EQ(parse("01001A,新町,あいうえおかきくけこさしすせ,1"), 1);   // reading of 28 bytes
    EXPECT_EQ(parse("01001A,新町,あいうえおかきくけこさしすせa,1"), 0);  // 29 bytes
    EXPECT_EQ(parse("0136,北斗市,,1"), 1);                               // empty reading
    EXPECT_EQ(parse("01001A,新町,しんまち,1"), 1);                       // number of 6 bytes
    EXPECT_EQ(parse("01001AB,新町,しんまち,1"), 0);                      // 7 bytes
    EXPECT_EQ(parse("01001ABCD,新町,しんまち,1"), 0);
}

TEST(ParseUpdateLine, AcceptsOnlyPrefectureCodes01To47) {
    EXPECT_EQ(parse("01001C,新町,しんまち,1"), 1);
    EXPECT_EQ(parse("4799,新町,しんまち,1"), 1);
    for (const char* line :
         {"4899,新町,しんまち,1", "4999,新町,しんまち,1", "0012,新市,しんし,1", "00,新町,し,1", "5001,新市,しんし,1",
          "9001,新市,しんし,1", "A001,新市,しんし,1", " 0136,北斗市,ほくとし,1", "北斗市,北斗市,ほくとし,1",
          "4A01,新市,しんし,1", "1,新市,しんし,1", "4,新市,しんし,1", "4"})
        EXPECT_EQ(parse(line), 0) << line;
}

TEST(ParseUpdateLine, KeepsBytesAsTheyStand) {
    PlaceRecord slot{};
    ASSERT_EQ(parse("0136 ,北斗市,ほくとし,1", &slot), 1);
    EXPECT_STREQ(slot.number, "0136 ");
    ASSERT_EQ(parse("0136,北斗市,ほくとし,,", &slot), 1);  // the mark may be a comma
    EXPECT_EQ(slot.current, ',');
    ASSERT_EQ(parse("0136,北斗市,ほくとし,x", &slot), 1);
    EXPECT_EQ(slot.current, 'x');
}

TEST(ParseUpdateLine, NeedsExactlyOneByteAfterTheThirdComma) {
    for (const char* line : {"0136,北斗市,ほくとし,", "0136,北斗市,ほくとし,10", "0136,北斗市,ほくとし", "0136,北斗市",
                             "0136", "0136,北斗市,ほくとし,1,"})
        EXPECT_EQ(parse(line), 0) << line;
}

// --- readUpdateText ----------------------------------------------------------

using ReadUpdateText = test::UpdateFixture;

TEST_F(ReadUpdateText, CommentsAndBlankLinesChangeNothing) {
    EXPECT_EQ(readLines({"; コメント", "", ";0136,北斗市,ほくとし,1", ";"}), kUpdateMerged);
    expectShipped();
    // Comments survive LF-only ends: they lose a byte nobody reads. A blank
    // line there is a lone LF, which is no comment.
    EXPECT_EQ(readText(sjis("; コメント\n;x\n")), kUpdateMerged);
    expectShipped();
    EXPECT_EQ(readText(sjis("; コメント\n\n;x\n")), kUpdateRejected);
    expectShipped();
}

TEST_F(ReadUpdateText, RejectsAnEmptyFile) {
    EXPECT_EQ(readText(""), kUpdateRejected);
    expectShipped();
}

TEST_F(ReadUpdateText, RejectsLfOnlyDataLines) {
    EXPECT_EQ(readText(sjis("0136,北斗市,ほくとし,1\n")), kUpdateRejected);
    expectShipped();
}

TEST_F(ReadUpdateText, LastLineNeedsItsLineEnd) {
    EXPECT_EQ(readText(sjis("0136,北斗市,ほくとし,1")), kUpdateRejected);
    expectShipped();
    EXPECT_EQ(readText(sjis("0136,北斗市,ほくとし,1\r\n")), kUpdateMerged);
    EXPECT_EQ(count(), shippedRecordCount() + 1);
}

TEST_F(ReadUpdateText, RejectsALoneLfAmongCrLfLines) {
    EXPECT_EQ(readText(sjis("; a\r\n\n0136,北斗市,ほくとし,1\r\n")), kUpdateRejected);
    expectShipped();
}

TEST_F(ReadUpdateText, RejectsALineOf250BytesEvenAsAComment) {
    EXPECT_EQ(readText(";" + std::string(247, 'x') + "\r\n" + sjis("0136,北斗市,ほくとし,1\r\n")), kUpdateMerged);
    EXPECT_EQ(count(), shippedRecordCount() + 1);
    ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
    EXPECT_EQ(readText(sjis("0136,北斗市,ほくとし,1\r\n") + ";" + std::string(248, 'x') + "\r\n"), kUpdateRejected);
    expectShipped();
}

TEST_F(ReadUpdateText, ReadsNulBytesAsEmptyLines) {
    EXPECT_EQ(readText(sjis("0136,北斗市,ほくとし,1\r\n") + std::string(3, '\0') + "; x\r\n"), kUpdateMerged);
    EXPECT_EQ(count(), shippedRecordCount() + 1);
}

TEST_F(ReadUpdateText, OneBadLineMergesNothing) {
    EXPECT_EQ(readLines({"0136,北斗市,ほくとし,1", "4899,新町,しんまち,1", "0236,新市,しんし,1"}), kUpdateRejected);
    expectShipped();
}

// The first fault and its line, as the error message names them; and what
// the number rules still accept.
TEST_F(ReadUpdateText, NamesTheFirstFaultAndItsLine) {
    std::string hundred;
    for (int i = 0; i < kUpdateStagingSlots; ++i) hundred += "4799,新町,しんまち,1\r\n";
    const struct {
        std::string file;  // UTF-8, converted to Shift-JIS
        int line;
        UpdateFault fault;
    } cases[] = {
        {"", 0, UpdateFault::FileEmpty},
        {"; a\r\n;" + std::string(248, 'x') + "\r\n", 2, UpdateFault::LineTooLong},
        {hundred + "; a\r\n4799,新町,しんまち,1\r\n", 102, UpdateFault::TooManyLines},
        {"; a\r\n\r\n0136,北斗市,ほくとし\r\n", 3, UpdateFault::Fields},
        {"0136\r\n", 1, UpdateFault::Fields},
        {"4899,新町,しんまち,1\r\n", 1, UpdateFault::NumberPrefecture},
        {"01001AB,新町,しんまち,1\r\n", 1, UpdateFault::NumberTooLong},
        {"01001a,新町,しんまち,1\r\n", 1, UpdateFault::NumberLetter},  // would hide 01001A 阿寒町
        {"0136a,新市,しんし,1\r\n", 1, UpdateFault::NumberLetter},
        {"01001!,新村,しんむら,1\r\n", 1, UpdateFault::NumberLetter},
        {"010011,新町,しんまち,1\r\n", 1, UpdateFault::NumberLetter},
        {"01001A,一二三四五六七八町,いち,1\r\n", 1, UpdateFault::NameTooLong},
        {"0136,北斗,ほくと,1\r\n", 1, UpdateFault::NameSuffix},
        {"01001A,新町,あいうえおかきくけこさしすせそ,1\r\n", 1, UpdateFault::ReadingTooLong},
        {"0136,北斗市,ほくとし,1\n", 1, UpdateFault::CurrentMark},  // LF alone: the mark is dropped
        {"0136,北斗市,ほくとし,1\r\n0136,北斗市,ほくとし,10\r\n", 2, UpdateFault::CurrentMark},
        // Accepted: upper-case letters, numbers without a letter place, a blank.
        {"01001Z,新村,しんむら,1\r\n", 0, UpdateFault::None},
        {"01001,新町,しんまち,1\r\n", 0, UpdateFault::None},
        {"010111,新区,しんく,1\r\n", 0, UpdateFault::None},
        {"0136 ,北斗市,ほくとし,1\r\n", 0, UpdateFault::None},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
        const std::string bytes = sjis(c.file);
        UpdateError error;
        const int result = readUpdateText(bytes.c_str(), bytes.size(), places.records, places.areaTable,
                                          places.prefectureTable, &error);
        EXPECT_EQ(result, c.fault == UpdateFault::None ? kUpdateMerged : kUpdateRejected) << c.file;
        EXPECT_EQ(error.line, c.line) << c.file;
        EXPECT_EQ(error.fault, c.fault) << c.file;
        if (result == kUpdateRejected) expectShipped();
    }
}

TEST_F(ReadUpdateText, RejectsA101stDataLine) {
    std::string file;
    for (int i = 0; i < kUpdateStagingSlots; ++i) file += sjis("4799,新町,しんまち,1\r\n");
    file += sjis("; comments do not count\r\n");
    EXPECT_EQ(readText(file), kUpdateMerged);
    ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
    EXPECT_EQ(readText(file + sjis("4799,新町,しんまち,1\r\n")), kUpdateRejected);
    expectShipped();
}

}  // namespace
}  // namespace orvetta
