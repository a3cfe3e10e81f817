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

#include <cstring>

#include "dict/codec_state.h"

namespace orvetta {

namespace codec {
CodecState gDecoderState;
}

namespace {

// Reads fields of up to 12 bits, most significant bit first.
struct BitReader {
    const uint8_t* next;  // next byte to fetch
    const uint8_t* end;   // one past the last byte of the image
    uint32_t current;     // byte being read
    int bitsLeft;         // bits of `current` not yet read, from bit 7 down

    // Sets *value to the next `width` bits; false when the input runs out.
    bool read(int width, uint32_t* value) {
        uint32_t v = 0;
        while (width > 0) {
            if (bitsLeft == 0) {
                if (next == end) return false;
                current = *next++;
                bitsLeft = 8;
            }
            const int take = width < bitsLeft ? width : bitsLeft;
            const uint32_t bits = (current >> (bitsLeft - take)) & ((1u << take) - 1);
            v = (v << take) | bits;
            bitsLeft -= take;
            width -= take;
        }
        *value = v;
        return true;
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
        uint32_t flag;
        uint32_t code;
        if (!reader.read(1, &flag)) return 0;
        if (flag == 0) {
            if (!reader.read(kLiteralBits, &code)) return 0;
        } else {
            if (!reader.read(state.codeWidth, &code)) return 0;
            code += kLiteralCount;
            if (code >= state.nextCode) return 0;
        }

        const int length = state.expand(code);
        if (length == 0 || length > request - count) return 0;
        const uint8_t* string = state.expanded(length);
        std::memcpy(destination + count, string, static_cast<size_t>(length));
        state.addEntries(previous, previousLength, string, length);

        count += length;
        if (count == request) return request;
        previous = code;
        previousLength = length;
    }
}

}  // namespace orvetta
