// Shared fixture of the update tests: a freshly loaded dictionary, a copy of
// it as shipped, and helpers to feed update text in.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"
#include "tests/place_list_test.h"
#include "tests/sjis.h"
#include "tests/update_invariants.h"
#include "update/update_file.h"

namespace orvetta::test {

// UTF-8 lines -> Shift-JIS file text, each line ended by CR LF.
inline std::string crlfFile(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += sjis(line) + "\r\n";
    return text;
}

class UpdateFixture : public PlaceListTest {
protected:
    void SetUp() override {
        PlaceListTest::SetUp();
        if (HasFatalFailure()) return;
        shipped_.assign(places.records, places.records + recordArraySlots());
    }
    void TearDown() override {
        PlaceListTest::TearDown();
        resetRegionTables(places);
    }

    // Runs the reader on file bytes as if read from velkarad.txt.
    static int readText(const std::string& bytes) {
        return readUpdateText(bytes.c_str(), bytes.size(), places.records, places.areaTable, places.prefectureTable);
    }
    static int readLines(std::initializer_list<std::string> lines) { return readText(crlfFile(lines)); }

    static int count() { return places.areaTable[0].last + 1; }
    static std::string numberAt(int i) { return places.records[i].number; }
    static const PlaceRecord& at(int i) { return places.records[i]; }
    const PlaceRecord& shippedAt(int i) const { return shipped_[i]; }

    // The record array (every slot) and both tables as loaded.
    void expectShipped() const {
        EXPECT_EQ(std::memcmp(places.records, shipped_.data(), shipped_.size() * sizeof(PlaceRecord)), 0);
        EXPECT_EQ(std::memcmp(places.areaTable, shippedAreaTable(), sizeof places.areaTable), 0);
        EXPECT_EQ(std::memcmp(places.prefectureTable, shippedPrefectureTable(), sizeof places.prefectureTable), 0);
    }
    static void expectInvariants() {
        EXPECT_EQ(checkRegionInvariants(places.records, recordArraySlots(), places.areaTable, places.prefectureTable),
                  "");
    }
    // The records from `from` on are the shipped ones, `by` slots later.
    void expectShiftedTail(int from, int by) const {
        const int shippedLast = shippedRecordCount() - 1;
        ASSERT_EQ(
            std::memcmp(&places.records[from + by], &shipped_[from], (shippedLast - from + 1) * sizeof(PlaceRecord)),
            0);
    }

private:
    std::vector<PlaceRecord> shipped_;
};

}  // namespace orvetta::test
