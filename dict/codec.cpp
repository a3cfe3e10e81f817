// Dictionary decoder.
//
// Stream format
// -------------
// The image is a plain sequence of codes: no header, no length, no end mark,
// no checksum; the caller knows how many bytes it wants. Bits are read from
// each byte starting at bit 7, and a field of n bits is read most significant
// bit first, across byte boundaries as needed. Each code is
//
//     0 bbbbbbbb        a literal: the byte b (codes 0..255)
//     1 nnn...n         an entry: code 256 + n, n in codeWidth bits
//
// Codes 256..4095 name dictionary entries, each a string of 2..100 bytes.
// After every code but the first, the dictionary learns every prefix of the
// current string appended to the previous string (previous + s[0],
// previous + s[0..1], ..., previous + s), each as long as it stays within 100
// bytes. One code can thus add many entries. Once all 4096 codes are in use,
// a new entry reuses the code of the least recently used one.
//
// Width rule: codeWidth starts at 1 and widthThreshold at 2. Before each code,
// if the entry count (nextCode - 256) has reached widthThreshold, the
// threshold doubles and the width grows by one bit -- once per code at most,
// so the width lags behind a fast-growing dictionary and catches up one bit
// per code: 1, 2, 3, ..., 12.
//
// Worked example: "ABABABA" (A = 0x41, B = 0x42) is five codes.
//
//     width  code         bits        string  entries added
//     1      literal A    0 01000001  A       none (first code)
//     1      literal B    0 01000010  B       256 = AB
//     1      256          1 0         AB      257 = BA, 258 = BAB
//     2      256          1 00        AB      259 = ABA, 260 = ABAB
//     3      literal A    0 01000001  A       none (ABA is 259 already)
//
// 32 bits: 0x20 0x90 0xA8 0x41. Before the fourth code the three entries
// have reached the threshold 2 (width 2, threshold 4); before the fifth the
// five entries have reached 4 (width 3).
//
// Unlike classic LZW, entries are only made from strings already output, so a
// code is never allowed to name the entry about to be defined: a code at or
// above nextCode means a damaged stream.
//
// Bounds: the decoder checks every string against the remaining request
// before writing it, so it writes nothing past destination[request - 1]; the
// reader stops at sourceSize, and running out of input fails the decode. The
// dictionary state is a program-wide table; nothing is allocated.

#include "dict/codec.h"

#include "dict/codec_state.h"

namespace orvetta {

namespace codec {
CodecState gDecoderState;
}

namespace {

constexpr int kMaxCodeBits = 1 + 12;  // flag and the widest entry number

// Reads codes most significant bit first. Up to 64 bits of the image are kept
// left-aligned in `bits`; a code takes at most kMaxCodeBits, so the buffer is
// topped up once it holds fewer than that.
struct BitReader {
    const uint8_t* next;  // next byte to fetch
    const uint8_t* end;   // one past the last byte of the image
    uint64_t bits;        // unread bits, the next one in bit 63
    int count;            // number of unread bits in `bits`

    // Fills `bits` to at least 56 bits, or with the rest of the image. With
    // eight bytes left it loads them at once and keeps the whole bytes that
    // fit: (63 - count) / 8 of them, which makes the count count | 56. The
    // bits loaded beyond that are the next byte's, so they do no harm when
    // that byte is added again.
    void refill() {
        if (end - next >= 8) {
            uint64_t word = 0;
            for (int i = 0; i < 8; ++i) word = (word << 8) | next[i];
            bits |= word >> count;
            next += (63 - count) >> 3;
            count |= 56;
        } else {
            while (count <= 56 && next != end) {
                bits |= static_cast<uint64_t>(*next++) << (56 - count);
                count += 8;
            }
        }
    }

    // Takes `width` bits (1..kMaxCodeBits) as a number; the caller checked
    // count.
    uint32_t take(int width) {
        const uint32_t value = static_cast<uint32_t>(bits >> (64 - width));
        bits <<= width;
        count -= width;
        return value;
    }
};

}  // namespace

int decodeDictionary(const uint8_t* source, size_t sourceSize, uint8_t* destination, int request) {
    using namespace codec;
    if (source == nullptr || destination == nullptr || request <= 0) return 0;

    CodecState& state = gDecoderState;
    state.reset();
    BitReader reader{source, source + sourceSize, 0, 0};

    int count = 0;
    uint32_t previous = NIL;
    int previousLength = 0;
    for (;;) {
        state.applyWidthRule();
        if (reader.count < kMaxCodeBits) reader.refill();
        if (reader.count < 1) return 0;  // out of input
        uint32_t code;
        if (reader.take(1) == 0) {
            if (reader.count < kLiteralBits) return 0;
            code = reader.take(kLiteralBits);
        } else {
            if (reader.count < state.codeWidth) return 0;
            code = reader.take(state.codeWidth) + kLiteralCount;
            if (code >= state.nextCode) return 0;
        }

        // The length is known before the string is spelled, so nothing is
        // written past the request.
        const int length = static_cast<int>(state.lengthOf(code));
        if (length > request - count) return 0;
        uint8_t* string = destination + count;
        state.expand(code, string);
        state.addEntries(previous, previousLength, string, length);

        count += length;
        if (count == request) return request;
        previous = code;
        previousLength = length;
    }
}

}  // namespace orvetta
