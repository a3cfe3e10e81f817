// Dictionary encoder: the mirror of decodeDictionary (format in codec.cpp).
//
// The encoder runs the same CodecState as the decoder, with the same calls in
// the same order per code: width rule, choice of code, expansion of the
// chosen code (its recency moves), adding of entries. The only freedom is the
// choice; this one takes the longest match that the reader can name. From the
// literal of the next byte it follows the child lists as far as the input
// matches and keeps the deepest entry whose number (code - 256) fits in
// codeWidth bits; entries deeper than that are still walked, since a deeper
// one may have a smaller number. With no such entry the literal is sent.
// The walk never reaches past the end of the data, so the last code ends the
// data exactly and the decoder, told the data size, stops there.

#include <memory>

#include "dict/codec.h"
#include "dict/codec_state.h"

namespace orvetta {

namespace {

// Packs fields into bytes from bit 7 down, most significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>* out) : out_(out) {}

    void write(uint32_t value, int width) {
        while (width > 0) {
            const int take = width < free_ ? width : free_;
            const uint32_t bits = (value >> (width - take)) & ((1u << take) - 1);
            pending_ |= bits << (free_ - take);
            free_ -= take;
            width -= take;
            if (free_ == 0) flush();
        }
    }

    // The bits left over in the last byte are 0.
    void finish() {
        if (free_ < 8) flush();
    }

private:
    void flush() {
        out_->push_back(static_cast<uint8_t>(pending_));
        pending_ = 0;
        free_ = 8;
    }

    std::vector<uint8_t>* out_;
    uint32_t pending_ = 0;  // bits of the byte being filled
    int free_ = 8;          // bits of it still free
};

}  // namespace

std::vector<uint8_t> encodeDictionary(const uint8_t* data, size_t size) {
    using namespace codec;
    std::vector<uint8_t> out;
    if (data == nullptr || size == 0) return out;

    auto state = std::make_unique<CodecState>();
    state->reset();
    BitWriter writer(&out);

    uint32_t previous = NIL;
    int previousLength = 0;
    size_t pos = 0;
    while (pos < size) {
        state->applyWidthRule();
        const uint32_t limit = kLiteralCount + (1u << state->codeWidth);

        uint32_t best = data[pos];
        size_t bestLength = 1;
        uint32_t x = best;
        for (size_t depth = 1; pos + depth < size; ++depth) {
            x = state->findChild(x, data[pos + depth]);
            if (x == NIL) break;
            if (x < limit) {
                best = x;
                bestLength = depth + 1;
            }
        }

        if (best < kLiteralCount) {
            writer.write(0, 1);
            writer.write(best, kLiteralBits);
        } else {
            writer.write(1, 1);
            writer.write(best - kLiteralCount, state->codeWidth);
        }

        // Only the recency moves are wanted; the string is the input itself.
        uint8_t spelled[kMaxStringLength];
        state->expand(best, spelled);
        const int length = static_cast<int>(bestLength);
        state->addEntries(previous, previousLength, data + pos, length);
        previous = best;
        previousLength = length;
        pos += bestLength;
    }
    writer.finish();
    return out;
}

}  // namespace orvetta
