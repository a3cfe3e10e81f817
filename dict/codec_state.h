// Dictionary codec state shared by the decoder and the encoder.
//
// Both directions keep the same dictionary and must change it at the same
// moments in the same order, or the code numbers drift apart. Everything that
// changes the dictionary therefore lives here, once: the width rule, the
// expansion of a code with its recency moves, and the adding of entries after
// a code. The decoder adds only the bit reader and the output; the encoder
// adds only the longest-match search and the bit writer.
//
// The entry table is indexed by code. Codes 0..255 are the single bytes and
// never change; codes 256..4095 are entries, each the string of its `parent`
// plus one `byte`. Children of an entry hang off it in a doubly linked child
// list. All entries in use sit in one recency list, kept so that an entry is
// always newer than each of its children; `oldest` is therefore a leaf and can
// be replaced without orphaning anything.
#pragma once

#include <cstdint>

namespace orvetta::codec {

constexpr uint32_t NIL = 4096;            // no entry, in every link field
constexpr uint32_t kCodeCount = 4096;     // codes 0..4095
constexpr uint32_t kLiteralCount = 256;   // codes 0..255, one per byte value
constexpr int kMaxStringLength = 100;     // no entry stands for a longer string
constexpr int kLiteralBits = 8;           // literal field after a 0 flag bit
constexpr int kInitialCodeWidth = 1;      // entry field after a 1 flag bit
constexpr uint32_t kInitialWidthThreshold = 2;

struct CodecEntry {
    uint8_t byte;          // last byte of the string; the code itself below 256
    uint32_t parent;       // string without its last byte; NIL for literals
    uint32_t firstChild;   // first entry of this entry's child list
    uint32_t nextSibling;  // next entry in the parent's child list
    uint32_t prevSibling;  // previous entry in the parent's child list
    uint32_t newer;        // neighbour toward `newest` in the recency list
    uint32_t older;        // neighbour toward `oldest` in the recency list
};

struct CodecState {
    CodecEntry entries[kCodeCount];  // indexed by code
    uint32_t newest;                 // most recently used entry, NIL if none
    uint32_t oldest;                 // next entry to be replaced, NIL if none
    uint32_t nextCode;               // lowest code not in use: 256..4096
    int codeWidth;                   // bits of an entry number: 1..12
    uint32_t widthThreshold;         // entry count that widens codeWidth next
    uint8_t scratch[kMaxStringLength];  // one string, assembled backwards

    // Puts the dictionary back to its start: only the literals, no entries.
    void reset() {
        for (uint32_t code = 0; code < kCodeCount; ++code) {
            CodecEntry& e = entries[code];
            e.byte = static_cast<uint8_t>(code < kLiteralCount ? code : 0);
            e.parent = e.firstChild = e.nextSibling = e.prevSibling = NIL;
            e.newer = e.older = NIL;
        }
        newest = oldest = NIL;
        nextCode = kLiteralCount;
        codeWidth = kInitialCodeWidth;
        widthThreshold = kInitialWidthThreshold;
    }

    // Width rule, applied before every code (literals too). It widens by one
    // bit at most per code, so after a code that added many entries the width
    // lags and catches up over the next codes. The entry count never exceeds
    // 3840, so the width stops at 12 (threshold 4096).
    void applyWidthRule() {
        if (nextCode - kLiteralCount >= widthThreshold) {
            widthThreshold *= 2;
            ++codeWidth;
        }
    }

    // --- Recency list -----------------------------------------------------

    void recencyRemove(uint32_t x) {
        const uint32_t newerX = entries[x].newer;
        const uint32_t olderX = entries[x].older;
        if (olderX == NIL) oldest = newerX;
        else entries[olderX].newer = newerX;
        if (newerX == NIL) newest = olderX;
        else entries[newerX].older = olderX;
        entries[x].newer = entries[x].older = NIL;
    }

    void recencyInsertNewest(uint32_t x) {
        entries[x].older = newest;
        entries[x].newer = NIL;
        if (newest == NIL) oldest = x;
        else entries[newest].newer = x;
        newest = x;
    }

    // Puts x between y and the entry that was directly older than y.
    void recencyInsertOlderThan(uint32_t x, uint32_t y) {
        const uint32_t olderY = entries[y].older;
        entries[x].newer = y;
        entries[x].older = olderY;
        entries[y].older = x;
        if (olderY == NIL) oldest = x;
        else entries[olderY].newer = x;
    }

    // --- Child lists ------------------------------------------------------

    // A (parent, byte) pair has at most one child: entries are only created
    // after this search failed.
    uint32_t findChild(uint32_t parent, uint8_t byte) const {
        for (uint32_t c = entries[parent].firstChild; c != NIL; c = entries[c].nextSibling)
            if (entries[c].byte == byte) return c;
        return NIL;
    }

    void unlinkChild(uint32_t x) {
        CodecEntry& e = entries[x];
        if (e.prevSibling == NIL) entries[e.parent].firstChild = e.nextSibling;
        else entries[e.prevSibling].nextSibling = e.nextSibling;
        if (e.nextSibling != NIL) entries[e.nextSibling].prevSibling = e.prevSibling;
    }

    void linkChild(uint32_t x, uint32_t parent, uint8_t byte) {
        CodecEntry& e = entries[x];
        e.byte = byte;
        e.parent = parent;
        e.firstChild = NIL;
        e.prevSibling = NIL;
        e.nextSibling = entries[parent].firstChild;
        if (e.nextSibling != NIL) entries[e.nextSibling].prevSibling = x;
        entries[parent].firstChild = x;
    }

    // --- The two operations both directions share ---------------------------

    // Spells the string of `code` (below nextCode) into scratch and makes the
    // code and then each of its ancestors newest, so the ancestors end up
    // newer than the code. Returns the length; the string starts at
    // scratch + kMaxStringLength - length. Every entry was made from a
    // string of at most kMaxStringLength bytes, so the walk fits scratch;
    // the bound is checked anyway and a longer chain returns 0.
    int expand(uint32_t code) {
        int pos = kMaxStringLength;
        for (uint32_t x = code; x != NIL; x = entries[x].parent) {
            if (pos == 0) return 0;
            if (x >= kLiteralCount && x != newest) {
                recencyRemove(x);
                recencyInsertNewest(x);
            }
            scratch[--pos] = entries[x].byte;
        }
        return kMaxStringLength - pos;
    }

    const uint8_t* expanded(int length) const { return scratch + kMaxStringLength - length; }

    // After a code with string s (length L) that followed the code `previous`
    // (string length previousLength), makes sure previous + s[0..i] is an
    // entry for every i, as long as it is at most kMaxStringLength bytes.
    // Nothing is added after the first code of a stream (previous NIL).
    // Once all codes are in use, each new entry takes the code of `oldest`;
    // if that is the entry being extended, the adding stops.
    void addEntries(uint32_t previous, int previousLength, const uint8_t* s, int length) {
        if (previous == NIL) return;
        uint32_t a = previous;
        int n = previousLength;
        for (int i = 0; i < length; ++i) {
            if (++n > kMaxStringLength) return;
            const uint32_t child = findChild(a, s[i]);
            if (child != NIL) {
                a = child;
                continue;
            }
            uint32_t e;
            if (nextCode < kCodeCount) {
                e = nextCode++;
            } else {
                e = oldest;
                if (e == a) return;
                recencyRemove(e);
                unlinkChild(e);
            }
            linkChild(e, a, s[i]);
            // An entry under a literal has no entry parent to stay older
            // than, so it is newest; any other goes directly older than its
            // parent, which keeps every parent newer than its children.
            if (a < kLiteralCount) recencyInsertNewest(e);
            else recencyInsertOlderThan(e, a);
            a = e;
        }
    }
};

// The decoder's state: program-wide, set up at the start of every decode.
// About 115 kB, so it is not put on the stack.
extern CodecState gDecoderState;

}  // namespace orvetta::codec
