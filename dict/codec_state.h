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
// plus one `byte`. Children of an entry hang off it in a child list. All
// entries in use sit in one recency list, kept so that an entry is always
// newer than each of its children; `oldest` is therefore a leaf and can be
// replaced without orphaning anything.
//
// Layout. Decoding the built-in image replaces about one entry per output
// byte, and each replacement and each expansion follows links from entry to
// entry, every step waiting for the previous load; so the tables are kept
// small and free of branches on list ends. Codes need 13 bits, so every link
// is 16 bits, and the fields are split by use into three arrays (64 kB in
// all): walking the recency list or a chain of parents reads one 16 kB array
// each. Slot 4096 (NIL) is a sentinel that takes the place of every list end:
//   - The recency list is a ring through the sentinel: its `newer` is
//     `oldest` and its `older` is `newest`, so an empty list is the sentinel
//     linked to itself.
//   - A child list is singly linked forward (`firstChild`, then each
//     `nextSibling`). Instead of a previous sibling, an entry keeps
//     `prevLink`, the position in `childWords` of the link that points at
//     it, whether that is its parent's `firstChild` or a sibling's
//     `nextSibling`; so unlinking is two stores with no case for the first
//     child. The sentinel's `prevLink` takes the writes meant for "the entry
//     after the last one" and is never read.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace orvetta::codec {

constexpr uint32_t NIL = 4096;           // no entry, in every link field
constexpr uint32_t kCodeCount = 4096;    // codes 0..4095
constexpr uint32_t kLiteralCount = 256;  // codes 0..255, one per byte value
constexpr int kMaxStringLength = 100;    // no entry stands for a longer string
constexpr int kLiteralBits = 8;          // literal field after a 0 flag bit
constexpr int kInitialCodeWidth = 1;     // entry field after a 1 flag bit
constexpr uint32_t kInitialWidthThreshold = 2;
constexpr uint32_t kSlotCount = kCodeCount + 1;  // codes and the sentinel

// What an entry stands for; read at every step of an expansion.
struct CodecEntry {
    uint16_t parent;  // string without its last byte; NIL for literals
    uint8_t byte;     // last byte of the string; the code itself below 256
    uint8_t length;   // bytes in the string: 1 for literals, at most 100
};

// Place in the recency list; read at every replacement.
struct RecencyLinks {
    uint16_t newer;  // neighbour toward `newest`
    uint16_t older;  // neighbour toward `oldest`
};

// Place in the child lists: four 16-bit words per code in `childWords`, so
// that a link can be named by its position (below 4 * 4096).
constexpr uint32_t kFirstChild = 0;   // first entry of the code's child list
constexpr uint32_t kNextSibling = 1;  // next entry in the parent's child list
constexpr uint32_t kPrevLink = 2;     // position of the link pointing here
constexpr uint32_t kChildWords = 4;   // the fourth word is unused
static_assert(std::endian::native == std::endian::little, "setChildWords writes the words as one");

struct CodecState {
    CodecEntry entries[kSlotCount];                 // indexed by code
    RecencyLinks recency[kSlotCount];               // indexed by code; [NIL] holds the ends
    uint16_t childWords[kSlotCount * kChildWords];  // kChildWords per code
    uint32_t nextCode;                              // lowest code not in use: 256..4096
    int codeWidth;                                  // bits of an entry number: 1..12
    uint32_t widthThreshold;                        // entry count that widens codeWidth next

    // Most recently used entry and next entry to be replaced; NIL if none.
    uint32_t newest() const { return recency[NIL].older; }
    uint32_t oldest() const { return recency[NIL].newer; }
    uint32_t newer(uint32_t x) const { return recency[x].newer; }
    uint32_t older(uint32_t x) const { return recency[x].older; }
    // Position of one of x's words in childWords.
    static size_t word(uint32_t x, uint32_t which) { return kChildWords * size_t{x} + which; }
    uint32_t firstChild(uint32_t x) const { return childWords[word(x, kFirstChild)]; }
    uint32_t nextSibling(uint32_t x) const { return childWords[word(x, kNextSibling)]; }
    uint32_t lengthOf(uint32_t code) const { return entries[code].length; }

    // Puts the dictionary back to its start: only the literals, no entries.
    // Entries from 256 up are written in full when they are created, and
    // nothing reads one before that, so only literals and sentinel are set.
    void reset() {
        for (uint32_t code = 0; code < kLiteralCount; ++code) {
            entries[code] = {NIL, static_cast<uint8_t>(code), 1};
            setChildWords(code, NIL, NIL, 0);
        }
        recency[NIL] = {NIL, NIL};
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

    // --- Recency list (a ring through the sentinel) ------------------------

    // Takes the run of entries from `first` (oldest of the run) to `last`
    // out of the list; the run's own inner links are left as they are.
    void recencyCut(uint32_t first, uint32_t last) {
        const uint32_t olderRun = recency[first].older;
        const uint32_t newerRun = recency[last].newer;
        recency[olderRun].newer = static_cast<uint16_t>(newerRun);
        recency[newerRun].older = static_cast<uint16_t>(olderRun);
    }

    // Puts the run from `first` (oldest) to `last`, linked inside already,
    // between y and the entry that was directly older than y; with y the
    // sentinel, that is the newest end.
    void recencyInsertOlderThan(uint32_t first, uint32_t last, uint32_t y) {
        const uint32_t olderY = recency[y].older;
        recency[first].older = static_cast<uint16_t>(olderY);
        recency[olderY].newer = static_cast<uint16_t>(first);
        recency[last].newer = static_cast<uint16_t>(y);
        recency[y].older = static_cast<uint16_t>(last);
    }

    // --- Child lists ------------------------------------------------------

    // A (parent, byte) pair has at most one child: entries are only created
    // after this search failed.
    uint32_t findChild(uint32_t parent, uint8_t byte) const {
        uint32_t c = firstChild(parent);
        while (c != NIL && entries[c].byte != byte) c = nextSibling(c);
        return c;
    }

    // The three words of x, written as one (word k of a code is bits
    // 16k..16k+15 of a little-endian 64-bit word).
    void setChildWords(uint32_t x, uint32_t firstChild, uint32_t nextSibling, uint32_t prevLink) {
        const uint64_t words = firstChild << (16 * kFirstChild) | nextSibling << (16 * kNextSibling) |
                               static_cast<uint64_t>(prevLink) << (16 * kPrevLink);
        std::memcpy(childWords + word(x, 0), &words, sizeof words);
    }

    void unlinkChild(uint32_t x) {
        const uint32_t link = childWords[word(x, kPrevLink)];
        const uint32_t next = nextSibling(x);
        childWords[link] = static_cast<uint16_t>(next);
        childWords[word(next, kPrevLink)] = static_cast<uint16_t>(link);
    }

    // Puts x in front of the child list of `parent`; x's own child list is
    // `firstOfX`.
    void linkChild(uint32_t x, uint32_t parent, uint32_t firstOfX) {
        const uint32_t head = kChildWords * parent + kFirstChild;
        const uint32_t next = childWords[head];
        setChildWords(x, firstOfX, next, head);
        childWords[word(next, kPrevLink)] = static_cast<uint16_t>(kChildWords * x + kNextSibling);
        childWords[head] = static_cast<uint16_t>(x);
    }

    // --- The two operations both directions share ---------------------------

    // Writes the string of `code` (below nextCode) to out[0..lengthOf(code))
    // and makes the code and then each of its ancestors newest, so the
    // ancestors end up newer than the code: the chain ends up as the newest
    // run of the list, the code oldest in it. The string is spelled from its
    // last byte, following `parent` links; the walk reaches a literal after
    // exactly `length` steps, since an entry is made one longer than its
    // parent and a parent is never replaced while it has children.
    //
    // Moving the entries one by one would relink each of them. Instead the
    // chain is cut out in runs: an entry whose parent is directly newer than
    // it already sits where the moves would leave it relative to the parent
    // (entries are made directly older than their parent, and a used chain
    // is left as one run), so such stretches are cut out whole. The runs are
    // joined in chain order and the whole is put back at the newest end.
    void expand(uint32_t code, uint8_t* out) {
        uint8_t* p = out + entries[code].length;
        uint32_t x = code;
        uint32_t chainFirst = NIL;  // the code itself, once it is cut out
        uint32_t chainLast = NIL;   // the newest entry cut out so far
        while (x >= kLiteralCount) {
            const uint32_t runFirst = x;
            uint32_t parent;
            for (;;) {
                const CodecEntry e = entries[x];
                *--p = e.byte;
                parent = e.parent;
                if (recency[x].newer != parent) break;  // a literal is never a neighbour
                x = parent;
            }
            recencyCut(runFirst, x);
            if (chainLast == NIL) {
                chainFirst = runFirst;
            } else {
                recency[chainLast].newer = static_cast<uint16_t>(runFirst);
                recency[runFirst].older = static_cast<uint16_t>(chainLast);
            }
            chainLast = x;
            x = parent;
        }
        *--p = static_cast<uint8_t>(x);
        if (chainLast != NIL) recencyInsertOlderThan(chainFirst, chainLast, NIL);
    }

    // After a code with string s (length L) that followed the code `previous`
    // (string length previousLength), makes sure previous + s[0..i] is an
    // entry for every i, as long as it is at most kMaxStringLength bytes.
    // Nothing is added after the first code of a stream (previous NIL).
    // Once all codes are in use, each new entry takes the code of `oldest`;
    // if that is the entry being extended, the adding stops.
    void addEntries(uint32_t previous, int previousLength, const uint8_t* s, int length) {
        if (previous == NIL) return;
        const int count = length < kMaxStringLength - previousLength ? length : kMaxStringLength - previousLength;
        uint32_t a = previous;
        int i = 0;
        // Follow the entries that exist already.
        for (; i < count; ++i) {
            const uint32_t child = findChild(a, s[i]);
            if (child == NIL) break;
            a = child;
        }
        if (i == count) return;
        // From here on every prefix is new, and a new entry has no children,
        // so there is nothing more to search.
        if (nextCode == kCodeCount)
            replaceOldest(a, s + i, count - i);
        else
            addOneByOne(a, s + i, count - i);
    }

private:
    // Adds the chain a + s[0], a + s[0..1], ... of `count` new entries, each
    // taking the next unused code or, once all are in use, the oldest entry.
    void addOneByOne(uint32_t a, const uint8_t* s, int count) {
        for (int i = 0; i < count; ++i) {
            uint32_t e;
            if (nextCode < kCodeCount) {
                e = nextCode++;
            } else {
                e = oldest();
                if (e == a) return;
                recencyCut(e, e);
                unlinkChild(e);
            }
            entries[e] = {static_cast<uint16_t>(a), s[i], static_cast<uint8_t>(entries[a].length + 1)};
            linkChild(e, a, NIL);
            // An entry under a literal has no entry parent to stay older
            // than, so it is newest; any other goes directly older than its
            // parent, which keeps every parent newer than its children.
            recencyInsertOlderThan(e, e, a < kLiteralCount ? NIL : a);
            a = e;
        }
    }

    // The same once all codes are in use, done for the whole chain at once.
    // Taken one by one, the k-th new entry is the k-th oldest of the list as
    // it stands now: each new entry goes directly older than the one before,
    // which is newer than every entry still to be taken. The adding stops
    // when the oldest is the entry being extended, which is when the walk
    // from `oldest` reaches `a`: everything older than `a` has been taken,
    // and the last new entry went directly older than `a`'s first new child.
    // So the first `count` entries from the oldest end (fewer if `a` comes
    // first) are cut out as one run, each unlinked from its old parent, and
    // go back in reversed, between `a` and the entry directly older than it
    // (at the newest end when `a` is a literal), each the only child of the
    // one before. Unlinking in order from the oldest is what taking them one
    // by one does, so the child lists come out the same too.
    void replaceOldest(uint32_t a, const uint8_t* s, int count) {
        const uint32_t first = oldest();
        if (first == a) return;
        const uint8_t* const end = s + count;
        int length = entries[a].length;
        uint32_t parent = a;
        uint32_t e = first;
        uint32_t next;  // the entry that was directly newer than e
        for (;;) {
            next = recency[e].newer;
            unlinkChild(e);
            entries[e] = {static_cast<uint16_t>(parent), *s, static_cast<uint8_t>(++length)};
            // Parent and child within the run; the run's ends are set below.
            setChildWords(e, next, NIL, kChildWords * parent + kFirstChild);
            recency[e] = {static_cast<uint16_t>(parent), static_cast<uint16_t>(next)};
            if (++s == end || next == a) break;
            parent = e;
            e = next;
        }
        const uint32_t last = e;
        childWords[word(last, kFirstChild)] = NIL;
        recency[NIL].newer = static_cast<uint16_t>(next);
        recency[next].older = NIL;
        recencyInsertOlderThan(last, first, a < kLiteralCount ? NIL : a);
        linkChild(first, a, firstChild(first));
    }
};

// The decoder's state: program-wide, set up at the start of every decode.
// 64 kB, so it is not put on the stack.
extern CodecState gDecoderState;

}  // namespace orvetta::codec
