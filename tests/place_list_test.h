// Fixture of the native tests that work on a place list: a list of the test
// program's own (never the program's gPlaces), loaded with the edition in use
// before each test and released after it.
#pragma once

#include <gtest/gtest.h>

#include "dict/edition.h"
#include "dict/load.h"
#include "dict/place.h"

namespace orvetta::test {

class PlaceListTest : public ::testing::Test {
protected:
    void SetUp() override {
        gLoadSeams = defaultLoadSeams();
        ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
    }
    void TearDown() override { releaseDictionary(places); }

    // One list serves every test, as one serves the program: each load moves
    // its version on, so what a search derived from an earlier test's records
    // is never taken for this test's.
    static inline PlaceList places;
};

}  // namespace orvetta::test
