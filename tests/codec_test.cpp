// Dictionary codec: the worked example in both directions, the dictionary
// rules on the shared state, damaged streams, and round trips.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dict/codec.h"
#include "dict/codec_state.h"

namespace orvetta {
namespace {

using codec::CodecState;
using codec::gDecoderState;
using codec::NIL;
using Bytes = std::vector<uint8_t>;

const Bytes kExampleImage = {0x20, 0x90, 0xA8, 0x41};  // "ABABABA"

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// "0 01000001 1 0" -> bytes, MSB first, zero-padded; spaces are ignored.
Bytes bitsToBytes(const std::string& bits) {
    Bytes out;
    int n = 0;
    for (char c : bits) {
        if (c == ' ') continue;
        if (n % 8 == 0) out.push_back(0);
        if (c == '1') out.back() |= static_cast<uint8_t>(0x80 >> (n % 8));
        ++n;
    }
    return out;
}

struct Decoded {
    int result;
    Bytes output;
};

// Source and destination in exact-size heap blocks, so that a read or write
// one byte too far is caught by the address sanitizer.
Decoded decode(const Bytes& image, int request) {
    std::unique_ptr<uint8_t[]> source(new uint8_t[image.size() + (image.empty() ? 1 : 0)]);
    if (!image.empty()) std::memcpy(source.get(), image.data(), image.size());
    const size_t cb = request > 0 ? static_cast<size_t>(request) : 1;
    std::unique_ptr<uint8_t[]> destination(new uint8_t[cb]());
    const int result = decodeDictionary(source.get(), image.size(), destination.get(), request);
    return {result, Bytes(destination.get(), destination.get() + cb)};
}

// Walks the recency list both ways, so a broken back link shows too.
std::vector<uint32_t> recencyOldestFirst(const CodecState& s) {
    std::vector<uint32_t> forward, backward;
    for (uint32_t x = s.oldest(); x != NIL && forward.size() <= 4096; x = s.newer(x)) forward.push_back(x);
    for (uint32_t x = s.newest(); x != NIL && backward.size() <= 4096; x = s.older(x))
        backward.insert(backward.begin(), x);
    EXPECT_EQ(forward, backward);
    return forward;
}

std::string stringOf(CodecState& s, uint32_t code) {
    char string[codec::kMaxStringLength];
    s.expand(code, reinterpret_cast<uint8_t*>(string));
    return std::string(string, s.lengthOf(code));
}

// --- Worked example -------------------------------------------------------

TEST(EncodeDictionary, WorkedExample) {
    EXPECT_EQ(encodeDictionary(reinterpret_cast<const uint8_t*>("ABABABA"), 7), kExampleImage);
}

TEST(DecodeDictionary, WorkedExampleStopsAtRequest) {
    EXPECT_EQ(decode(kExampleImage, 7).result, 7);
    EXPECT_EQ(decode(kExampleImage, 7).output, bytesOf("ABABABA"));
    EXPECT_EQ(decode(kExampleImage, 6).result, 6);
    EXPECT_EQ(decode(kExampleImage, 6).output, bytesOf("ABABAB"));
    EXPECT_EQ(decode(kExampleImage, 5).result, 0);  // the fourth string ends at 6
}

// Each request ends the decode right after one step of the example, leaving
// the state of that step behind. The first code adds nothing, the second one.
TEST(DecodeDictionary, WorkedExampleStateAfterEachStep) {
    struct Step {
        int request;
        uint32_t nextCode;
        int codeWidth;
        std::vector<uint32_t> recency;
    };
    const Step steps[] = {
        {1, 256, 1, {}},
        {2, 257, 1, {256}},
        {4, 259, 1, {256, 258, 257}},
        {6, 261, 2, {258, 257, 260, 259, 256}},
        {7, 261, 3, {258, 257, 260, 259, 256}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.request);
        ASSERT_EQ(decode(kExampleImage, step.request).result, step.request);
        EXPECT_EQ(gDecoderState.nextCode, step.nextCode);
        EXPECT_EQ(gDecoderState.codeWidth, step.codeWidth);
        EXPECT_EQ(recencyOldestFirst(gDecoderState), step.recency);
    }
    EXPECT_EQ(stringOf(gDecoderState, 258), "BAB");
    EXPECT_EQ(stringOf(gDecoderState, 260), "ABAB");
}

// --- Dictionary rules on the shared state ----------------------------------

class DictionaryState : public ::testing::Test {
protected:
    void SetUp() override { s->reset(); }
    void add(uint32_t previous, int previousLength, const std::string& text) {
        s->addEntries(previous, previousLength, reinterpret_cast<const uint8_t*>(text.data()),
                      static_cast<int>(text.size()));
    }
    // 256 chains of 15 entries, one under each literal: every code in use.
    void fill() {
        for (uint32_t b = 0; b < 256; ++b) add(b, 1, "abcdefghijklmno");
        ASSERT_EQ(s->nextCode, 4096u);
    }
    std::unique_ptr<CodecState> s = std::make_unique<CodecState>();
};

TEST_F(DictionaryState, WidthGrowsOneBitPerCode) {
    s->applyWidthRule();
    add('X', 1, "A");  // one entry: still 1 bit
    s->applyWidthRule();
    EXPECT_EQ(s->codeWidth, 1);
    add('X', 1, "ABCDEFGH");  // eight entries: thresholds 2, 4 and 8 passed
    std::vector<int> widths;
    for (int code = 0; code < 4; ++code) {
        s->applyWidthRule();
        widths.push_back(s->codeWidth);
    }
    EXPECT_EQ(widths, (std::vector<int>{2, 3, 4, 4}));
}

TEST_F(DictionaryState, PlacesNewEntriesByParent) {
    add('A', 1, "BC");  // 256 AB newest; 257 ABC directly older than 256
    add('D', 1, "E");   // 258 DE newest
    add(256, 2, "Z");   // 259 ABZ between 257 and its parent 256
    EXPECT_EQ(recencyOldestFirst(*s), (std::vector<uint32_t>{257, 259, 256, 258}));
    EXPECT_EQ(stringOf(*s, 257), "ABC");  // 257 first, then its parent 256
    EXPECT_EQ(recencyOldestFirst(*s), (std::vector<uint32_t>{259, 258, 257, 256}));
}

TEST_F(DictionaryState, FullDictionaryReplacesOldest) {
    fill();
    ASSERT_EQ(s->oldest(), 270u);  // deepest entry under literal 0
    add('Z', 1, "!");
    EXPECT_EQ(s->nextCode, 4096u);
    EXPECT_EQ(stringOf(*s, 270), "Z!");
    EXPECT_EQ(s->firstChild(269), NIL);
    EXPECT_EQ(s->oldest(), 269u);
}

TEST_F(DictionaryState, FullDictionaryStopsWhenOldestIsExtended) {
    fill();
    const std::vector<uint32_t> before = recencyOldestFirst(*s);
    add(270, 15, "xy");
    EXPECT_EQ(recencyOldestFirst(*s), before);
    EXPECT_EQ(s->firstChild(270), NIL);
}

// The extended entry 268 is third oldest. The two entries older than it, its
// grandchild 270 and child 269, are taken in turn and chained under it; then
// the last new entry is oldest, and the adding stops before "xyz".
TEST_F(DictionaryState, FullDictionaryStopsPartWayThroughAChain) {
    fill();
    add(268, 14, "vwxyz");
    EXPECT_EQ(s->nextCode, 4096u);
    const std::vector<uint32_t> recency = recencyOldestFirst(*s);
    EXPECT_EQ(std::vector<uint32_t>(recency.begin(), recency.begin() + 4), (std::vector<uint32_t>{269, 270, 268, 267}));
    EXPECT_EQ(s->firstChild(268), 270u);
    EXPECT_EQ(s->nextSibling(270), NIL);
    EXPECT_EQ(s->firstChild(270), 269u);
    EXPECT_EQ(s->firstChild(269), NIL);
    EXPECT_EQ(stringOf(*s, 269), std::string("\0abcdefghijklmvw", 16));
}

TEST_F(DictionaryState, EntriesStopAtHundredBytes) {
    add('A', 1, std::string(99, 'b'));  // lengths 2..100: codes 256..354
    ASSERT_EQ(s->nextCode, 355u);
    ASSERT_EQ(stringOf(*s, 354).size(), 100u);
    add(354, 100, "c");
    EXPECT_EQ(s->nextCode, 355u);
    add(353, 99, "cd");
    EXPECT_EQ(s->nextCode, 356u);
}

// --- Damaged input -----------------------------------------------------------

TEST(DecodeDictionary, RejectsDamagedStreams) {
    struct Case {
        const char* phrase;
        Bytes image;
        int request;
    };
    const Case cases[] = {
        {"empty image", {}, 1},
        {"literal cut short", bitsToBytes("0 0100000"), 1},
        {"first code names an entry", bitsToBytes("1 0"), 1},
        {"code equal to nextCode", bitsToBytes("0 01000001 0 01000010 1 1"), 7},
        {"code above nextCode", bitsToBytes("0 01000001 0 01000010 1 0 1 11"), 7},
        {"image ends inside the last code", {0x20, 0x90, 0xA8}, 7},
        {"image ends before the request", kExampleImage, 8},
        {"last string ends past the request", kExampleImage, 5},
        {"request 0", kExampleImage, 0},
        {"negative request", kExampleImage, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(decode(c.image, c.request).result, 0) << c.phrase;
    uint8_t out[8];
    EXPECT_EQ(decodeDictionary(nullptr, 4, out, 7), 0) << "absent source";
    EXPECT_EQ(decodeDictionary(kExampleImage.data(), 4, nullptr, 7), 0) << "absent destination";
}

TEST(DecodeDictionary, WritesNothingPastRequest) {
    Bytes out(16, 0xCD);
    EXPECT_EQ(decodeDictionary(kExampleImage.data(), 4, out.data(), 5), 0);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), bytesOf("ABAB"));
    EXPECT_EQ(Bytes(out.begin() + 4, out.end()), Bytes(12, 0xCD));
}

// Text with many repeats, NUL padding and a few random bytes, like the
// packed place records.
Bytes recordLike(size_t size, unsigned seed) {
    static const char* const kParts[] = {
        "\x8e\x73",                  // 市
        "\x8c\x53",                  // 郡
        "\x92\xac",                  // 町
        "\x91\xba",                  // 村
        "\x82\xb5",                  // し
        "\x82\xbf\x82\xe5\x82\xa4",  // ちょう
        "\x82\xde\x82\xe7",          // むら
    };
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < size) {
        const size_t start = out.size();
        for (int i = 0; i < 6; ++i) out.push_back(static_cast<uint8_t>('0' + rng() % 10));
        for (int i = 1 + rng() % 4; i > 0; --i)
            for (const char* p = kParts[rng() % 7]; *p; ++p) out.push_back(static_cast<uint8_t>(*p));
        out.resize(start + 53, 0);
        out.push_back(static_cast<uint8_t>('4' + rng() % 5));
        out.push_back(static_cast<uint8_t>(rng() % 8 ? '1' : '0'));
    }
    out.resize(size);
    return out;
}

TEST(DecodeDictionary, SurvivesTruncationAndBitFlips) {
    const Bytes data = recordLike(3000, 1);
    const Bytes image = encodeDictionary(data.data(), data.size());
    const int request = static_cast<int>(data.size());
    for (size_t cut = 0; cut < image.size(); ++cut)
        ASSERT_EQ(decode(Bytes(image.begin(), image.begin() + cut), request).result, 0) << cut;
    for (size_t bit = 0; bit < image.size() * 8; ++bit) {
        Bytes damaged = image;
        damaged[bit / 8] ^= static_cast<uint8_t>(0x80 >> (bit % 8));
        const int result = decode(damaged, request).result;
        ASSERT_TRUE(result == 0 || result == request) << bit;
    }
}

// --- Round trips -------------------------------------------------------------

void expectRoundTrip(const Bytes& data) {
    const Bytes image = encodeDictionary(data.data(), data.size());
    const Decoded d = decode(image, static_cast<int>(data.size()));
    EXPECT_EQ(d.result, static_cast<int>(data.size()));
    EXPECT_TRUE(d.output == data);
}

TEST(EncodeDictionary, RoundTripsShortInputs) {
    const Bytes data = recordLike(300, 2);
    for (size_t n = 1; n <= data.size(); ++n) {
        SCOPED_TRACE(n);
        expectRoundTrip(Bytes(data.begin(), data.begin() + n));
    }
    EXPECT_TRUE(encodeDictionary(data.data(), 0).empty());
}

// All but the run of one byte fill the 4096 codes many times over.
TEST(EncodeDictionary, RoundTripsLongInputs) {
    std::mt19937 rng(3);
    Bytes random(1 << 17), fewSymbols(1 << 17);
    for (uint8_t& b : random) b = static_cast<uint8_t>(rng());
    for (uint8_t& b : fewSymbols) b = static_cast<uint8_t>('a' + rng() % 3);
    const Bytes oneByte(100000, 'x');  // strings hit the 100-byte limit
    Bytes records = recordLike(225000, 4);
    for (Bytes* data : {&random, &fewSymbols, &records}) {
        expectRoundTrip(*data);
        EXPECT_EQ(gDecoderState.nextCode, 4096u);
    }
    expectRoundTrip(oneByte);
    EXPECT_LT(encodeDictionary(records.data(), records.size()).size(), records.size() / 2);
}

}  // namespace
}  // namespace orvetta
