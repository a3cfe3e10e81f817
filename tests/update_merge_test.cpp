// Merging update lines into the shipped dictionary: replacement by number,
// insertion by placement key, and the region tables kept in step.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/update_support.h"
#include "update/merge.h"
#include "update/update_file.h"
#include "tests/place_list_test.h"

namespace orvetta {
namespace {

using test::sjis;

class MergeUpdates : public test::UpdateFixture {
protected:
    static void expectPrefecture(int row, int first, int last) {
        EXPECT_EQ(places.prefectureTable[row].first, first) << "prefecture row " << row;
        EXPECT_EQ(places.prefectureTable[row].last, last) << "prefecture row " << row;
    }
    static void expectArea(int row, int first, int last) {
        EXPECT_EQ(places.areaTable[row].first, first) << "area row " << row;
        EXPECT_EQ(places.areaTable[row].last, last) << "area row " << row;
    }
    // One line inserted at `index`: the head stays, the record is there, the
    // tail moved up one, and every invariant holds.
    void expectInsertedAt(int index, const char* number) {
        EXPECT_EQ(count(), shippedRecordCount() + 1);
        EXPECT_EQ(std::memcmp(places.records, &shippedAt(0), index * sizeof(PlaceRecord)), 0);
        EXPECT_EQ(numberAt(index), number);
        expectShiftedTail(index, 1);
        expectInvariants();
        expectPrefecture(0, 0, shippedRecordCount());
        expectArea(0, 0, shippedRecordCount());
        expectPrefecture(48, shippedRecordCount(), shippedRecordCount());
    }
};

TEST_F(MergeUpdates, ReplacesAKnownNumberWhereItStands) {
    ASSERT_EQ(numberAt(47), "01001B");
    PlaceRecord expected = shippedAt(47);
    expected.current = '0';
    ASSERT_EQ(readLines({"01001B,鶴居村,つるいむら,0"}), kUpdateMerged);
    EXPECT_EQ(std::memcmp(&at(47), &expected, sizeof expected), 0);
    places.records[47] = shippedAt(47);
    expectShipped();  // nothing else changed: count, tables, other slots
}

TEST_F(MergeUpdates, AppendsANewCityToItsPrefecturesCities) {
    ASSERT_EQ(readLines({"0136,北斗市,ほくとし,1"}), kUpdateMerged);
    expectInsertedAt(45, "0136");
    EXPECT_EQ(numberAt(44), "0135");
    EXPECT_EQ(numberAt(46), "01001");
    EXPECT_EQ(at(45).kind, '4');
    expectPrefecture(1, 0, 303);
    expectPrefecture(2, 304, 378);
    expectPrefecture(47, 4027, 4085);
    expectArea(8, 0, 303);
    expectArea(7, 304, 794);
    expectArea(9, 2611, 2748);
    expectArea(6, 3402, 4085);
}

TEST_F(MergeUpdates, PlacesACityOfALaterPrefecture) {
    ASSERT_EQ(readLines({"0236,新市,しんし,1"}), kUpdateMerged);
    expectInsertedAt(311, "0236");
    EXPECT_EQ(numberAt(310), "0208");
    EXPECT_EQ(numberAt(312), "02001");
    expectPrefecture(1, 0, 302);
    expectPrefecture(2, 303, 378);
    expectArea(8, 0, 302);
    expectArea(7, 303, 794);
}

TEST_F(MergeUpdates, PlacesAWardAfterItsCitysWards) {
    ASSERT_EQ(readLines({"010111,新区,しんく,1"}), kUpdateMerged);
    expectInsertedAt(11, "010111");
    EXPECT_EQ(numberAt(10), "010110");
    EXPECT_EQ(numberAt(12), "0102");
}

TEST_F(MergeUpdates, PlacesAWardOfTheLastCityAtTheEndOfItsPrefecture) {
    ASSERT_EQ(readLines({"013501,新区,しんく,1"}), kUpdateMerged);
    expectInsertedAt(303, "013501");
    EXPECT_EQ(numberAt(302), "01078A");
    EXPECT_EQ(numberAt(304), "0201");
    expectPrefecture(1, 0, 303);
    expectPrefecture(2, 304, 378);
}

TEST_F(MergeUpdates, PlacesADistrictByItsFirstFourBytes) {
    ASSERT_EQ(readLines({"01079,新郡,しんぐん,1"}), kUpdateMerged);
    expectInsertedAt(17, "01079");
    EXPECT_EQ(numberAt(16), "0107");
    EXPECT_EQ(numberAt(18), "0108");
}

TEST_F(MergeUpdates, PlacesATownWithKey0100AtTheFront) {
    ASSERT_EQ(readLines({"01001C,新町,しんまち,1"}), kUpdateMerged);
    expectInsertedAt(0, "01001C");
    EXPECT_EQ(numberAt(1), "0101");
    expectPrefecture(1, 0, 303);
}

TEST_F(MergeUpdates, PlacesADistrictBeforeTheFirstCityOfTheLastPrefecture) {
    ASSERT_EQ(numberAt(4026), "4701");
    ASSERT_EQ(readLines({"47006,新郡,しんぐん,1"}), kUpdateMerged);
    expectInsertedAt(4026, "47006");
    EXPECT_EQ(numberAt(4027), "4701");
    expectPrefecture(46, 3917, 4025);
    expectPrefecture(47, 4026, 4085);
}

TEST_F(MergeUpdates, AppendsWhatSortsAfterTheLastRecord) {
    ASSERT_EQ(readLines({"4799,新町,しんまち,1"}), kUpdateMerged);
    expectInsertedAt(shippedRecordCount(), "4799");
    EXPECT_EQ(numberAt(shippedRecordCount() - 1), "47005B");
    expectPrefecture(47, 4026, 4085);
    expectArea(6, 3401, 4085);
}

TEST_F(MergeUpdates, LaterLinesSeeEarlierInsertions) {
    // The town takes index 0; the city's key "0100" then first matches it.
    ASSERT_EQ(readLines({"01001C,新町,しんまち,1", "0136,北斗市,ほくとし,1"}), kUpdateMerged);
    EXPECT_EQ(count(), shippedRecordCount() + 2);
    EXPECT_EQ(numberAt(0), "0136");
    EXPECT_EQ(numberAt(1), "01001C");
    EXPECT_EQ(numberAt(2), "0101");
    expectShiftedTail(0, 2);
    expectPrefecture(1, 0, 304);
    expectInvariants();
}

TEST_F(MergeUpdates, ASecondLineWithTheSameNewNumberReplacesTheFirst) {
    ASSERT_EQ(readLines({"0136,北斗市,ほくとし,1", "0136,北斗市,ほくと,0"}), kUpdateMerged);
    EXPECT_EQ(count(), shippedRecordCount() + 1);
    EXPECT_EQ(numberAt(45), "0136");
    EXPECT_EQ(at(45).reading, sjis("ほくと"));
    EXPECT_EQ(at(45).current, '0');
    EXPECT_EQ(numberAt(46), "01001");
    expectInvariants();

    ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
    ASSERT_EQ(readLines({"4799,新町,しんまち,1", "4799,新村,しんむら,0"}), kUpdateMerged);
    EXPECT_EQ(count(), shippedRecordCount() + 1);
    EXPECT_EQ(at(shippedRecordCount()).kind, '8');
    EXPECT_EQ(at(shippedRecordCount()).current, '0');
    expectInvariants();
}

TEST_F(MergeUpdates, HundredInsertionsFillTheArrayExactly) {
    std::string file;
    char line[64];
    for (int i = 0; i < kSpareSlots; ++i) {
        const int code = i % kLastPrefectureRow + 1;
        if (i < 47)
            std::snprintf(line, sizeof line, "%02d99,", code), file += line + sjis("新市,しんし,1\r\n");
        else if (i < 94)
            std::snprintf(line, sizeof line, "%02d999Z,", code), file += line + sjis("新町,しんまち,1\r\n");
        else
            std::snprintf(line, sizeof line, "%02d998,", code), file += line + sjis("新郡,しんぐん,1\r\n");
    }
    ASSERT_EQ(readText(file), kUpdateMerged);
    EXPECT_EQ(count(), recordArraySlots());
    expectPrefecture(48, shippedRecordCount(), shippedRecordCount());
    expectInvariants();
}

TEST_F(MergeUpdates, DropsACityWhosePrefectureHasNoPlaceForIt) {
    // The reader never stages such a number; the merge alone leaves it out.
    PlaceRecord city{};
    std::memcpy(city.number, "0012", 4);
    city.kind = kKindCity;
    city.current = '1';
    EXPECT_EQ(mergeUpdates(places.records, places.areaTable, places.prefectureTable, &city, 1), 1);
    expectShipped();
    EXPECT_EQ(mergeUpdates(places.records, places.areaTable, places.prefectureTable, &city, 0), 1);
    expectShipped();
}

using GrowRegionRanges = MergeUpdates;

TEST_F(GrowRegionRanges, KeyWithoutAPrefectureRowGrowsRowZeroOnly) {
    for (const char* key : {"0000", "4800", "4\0\0\0", "01\0\0"}) {
        resetRegionTables(places);
        PlacementKey placement;
        std::memcpy(placement.bytes, key, 4);
        growRegionRanges(places.areaTable, places.prefectureTable, placement);
        const bool known = key[1] == '1';
        EXPECT_EQ(places.areaTable[0].last, shippedRecordCount()) << key;
        EXPECT_EQ(places.prefectureTable[0].last, shippedRecordCount()) << key;
        EXPECT_EQ(places.prefectureTable[1].last, shippedPrefectureTable()[1].last + (known ? 1 : 0)) << key;
        EXPECT_EQ(places.areaTable[6].last, shippedAreaTable()[6].last + (known ? 1 : 0)) << key;
        EXPECT_EQ(std::memcmp(&places.prefectureTable[48], &shippedPrefectureTable()[48], sizeof(PrefectureRow)), 0)
            << key;
    }
}

TEST_F(MergeUpdates, ShiftMovesTheTailIntoTheFirstSpareSlot) {
    shiftRecordsUp(places.areaTable, places.records, 45);
    EXPECT_EQ(numberAt(45), "01001");  // the old record stays until overwritten
    expectShiftedTail(45, 1);
    const PlaceRecord empty{};
    EXPECT_EQ(std::memcmp(&at(shippedRecordCount() + 1), &empty, sizeof empty), 0);
}

}  // namespace
}  // namespace orvetta
