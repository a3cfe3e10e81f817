// The ADIF reader: a byte-driven state machine fed one buffer at a time, so a
// tag, a value or an <EOR> may straddle any refill. Text between fields and
// values are crossed with memchr; only tags are looked at byte by byte.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "log/format_readers.h"

namespace orvetta {

namespace {

// The fields the award check uses; every other field is skipped.
enum AdifSlot {
    kCall,
    kQsoDate,
    kTimeOn,
    kCnty,
    kBand,
    kFreq,
    kMode,
    kState,
    kDxcc,
    kQslRcvd,
    kLotwQslRcvd,
    kAdifSlots
};
constexpr std::string_view kAdifSlotNames[kAdifSlots] = {
    "CALL", "QSO_DATE", "TIME_ON", "CNTY", "BAND", "FREQ", "MODE", "STATE", "DXCC", "QSL_RCVD", "LOTW_QSL_RCVD"};
// DXCC entities of Japan: Japan, Ogasawara and Minami-Torishima (the last
// two are in Tokyo, numbered as Tokyo's places are).
constexpr uint64_t kJapanDxcc[] = {339, 192, 177};
// A tag longer than this is no tag but text that happens to hold "<".
constexpr size_t kTagLimit = 80;
constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};  // UTF-8 byte order mark

// A field's name as the slots are looked up by: its length and its first 16
// bytes upper-cased (the rest zero) as two words, byte k of the name in bits
// 8k..8k+7 of word k / 8, so a name compares with each kept one in two word
// compares, with no loop over its bytes.
struct PackedName {
    uint64_t words[2] = {};
    size_t length = 0;

    constexpr void add(char c) {
        const auto byte = static_cast<unsigned char>(c);
        if (length < 16)
            words[length / 8] |= static_cast<uint64_t>(byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte)
                                 << (8 * (length % 8));
        ++length;
    }
};

constexpr PackedName packName(std::string_view name) {
    PackedName packed;
    for (char c : name) packed.add(c);
    return packed;
}

// Eight bytes with a-z upper-cased and every other byte kept, all at once:
// a byte's high bit marks it as at least 'a' and not past 'z' (on its low
// seven bits, and itself below 0x80), and that bit shifted down is the 0x20
// that tells the cases apart.
constexpr uint64_t upperAsciiWord(uint64_t x) {
    constexpr uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    const uint64_t low7 = x & ~kHigh;
    const uint64_t atLeastA = low7 + kOnes * (0x80 - 'a');
    const uint64_t pastZ = low7 + kOnes * (0x80 - 'z' - 1);
    return x ^ ((atLeastA & ~pastZ & ~x & kHigh) >> 2);
}

// Eight bytes at `from` as a word with the first in its low bits.
uint64_t loadLittleEndian(const char* from) {
    uint64_t word;
    std::memcpy(&word, from, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        uint64_t swapped = 0;
        for (int k = 0; k < 8; ++k) swapped |= (word >> (8 * k) & 0xFF) << (8 * (7 - k));
        word = swapped;
    }
    return word;
}

// packName of the `length` bytes at `from` (at most 16), when 16 bytes may
// be read there: two words loaded, cut and upper-cased at once.
PackedName packNameInPlace(const char* from, size_t length) {
    PackedName packed;
    packed.length = length;
    for (size_t w = 0; w < 2; ++w) {
        const size_t kept = length > 8 * w ? std::min<size_t>(length - 8 * w, 8) : 0;
        const uint64_t mask = kept == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * kept)) - 1;
        packed.words[w] = upperAsciiWord(loadLittleEndian(from + 8 * w) & mask);
    }
    return packed;
}

constexpr auto kPackedSlotNames = [] {
    std::array<PackedName, kAdifSlots> packed{};
    for (int s = 0; s < kAdifSlots; ++s) packed[static_cast<size_t>(s)] = packName(kAdifSlotNames[s]);
    return packed;
}();

// The kept names' slots by a hash of the packed name: 32 entries, and a
// multiplier, found at compile time, under which no two kept names share one.
constexpr int kNameHashBits = 5;
constexpr size_t nameHash(const PackedName& name, uint64_t multiplier) {
    return static_cast<size_t>(((name.words[0] + name.words[1] * 31 + name.length) * multiplier) >>
                               (64 - kNameHashBits));
}
struct NameTable {
    uint64_t multiplier = 0;
    std::array<int8_t, size_t{1} << kNameHashBits> slot{};
};
constexpr NameTable kNameTable = [] {
    for (uint64_t m = 0x9E3779B97F4A7C15u;; m += 0x2545F4914F6CDD1Du) {
        NameTable table;
        table.multiplier = m;
        table.slot.fill(-1);
        bool distinct = true;
        for (int s = 0; s < kAdifSlots && distinct; ++s) {
            int8_t& at = table.slot[nameHash(kPackedSlotNames[static_cast<size_t>(s)], m)];
            distinct = at < 0;
            at = static_cast<int8_t>(s);
        }
        if (distinct) return table;
    }
}();

// The slot of a field's name in any case, -1 for a field not used.
int adifSlotOf(const PackedName& name) {
    const int s = kNameTable.slot[nameHash(name, kNameTable.multiplier)];
    if (s < 0) return -1;
    const PackedName& kept = kPackedSlotNames[static_cast<size_t>(s)];
    return kept.length == name.length && kept.words[0] == name.words[0] && kept.words[1] == name.words[1] ? s : -1;
}

// Where the first ':', '>' or '<' stands among the bytes of `word` (the
// first in its low bits), 8 when none does. For each of them, a byte of the
// word XOR it is zero there, and the lowest byte whose borrow shows is the
// first zero (higher ones may show falsely, never lower).
constexpr size_t firstTagStop(uint64_t word) {
    constexpr uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    uint64_t found = 0;
    for (const unsigned char stop : {':', '>', '<'}) {
        const uint64_t t = word ^ (kOnes * stop);
        found |= (t - kOnes) & ~t & kHigh;
    }
    return found ? static_cast<size_t>(std::countr_zero(found)) / 8 : 8;
}

// A search for "<EOR>" or "<EOH>", in any case, blanks allowed before the
// ">", that may straddle refills.
struct MarkScan {
    int matched = 0;  // characters of the mark seen so far
    char letter = 0;  // its fourth character, once seen: 'R' or 'H'
    char found = 0;   // the letter of the whole mark just crossed, else 0
};

// Scans bytes [from, to) up to the end of the first whole mark and returns
// where it stopped: `to`, or just past the mark with `scan.found` set.
size_t scanForMark(const char* bytes, size_t from, size_t to, MarkScan& scan) {
    size_t i = from;
    while (i < to) {
        if (scan.matched == 0) {
            const void* open = std::memchr(bytes + i, '<', to - i);
            if (!open) return to;
            i = static_cast<size_t>(static_cast<const char*>(open) - bytes) + 1;
            scan.matched = 1;
            continue;
        }
        const char c = upperAscii(bytes[i]);
        const bool next = scan.matched == 1   ? c == 'E'
                          : scan.matched == 2 ? c == 'O'
                          : scan.matched == 3 ? c == 'R' || c == 'H'
                                              : c == '>';
        if (!next) {
            if (scan.matched == 4 && (c == ' ' || c == '\t')) {  // "<EOR >": blanks before the ">"
                ++i;
                continue;
            }
            scan.matched = 0;  // the byte is looked at again: it may be a "<"
            continue;
        }
        if (scan.matched == 3) scan.letter = c;
        ++i;
        if (++scan.matched == 5) {
            scan.matched = 0;
            scan.found = scan.letter;
            return i;
        }
    }
    return to;
}

class AdifParser {
public:
    explicit AdifParser(const ContactSink& sink) : sink_(sink) { tag_.reserve(kTagLimit); }

    void feed(const char* bytes, size_t size) {
        size_t i = 0;
        while (i < size) {
            switch (state_) {
            case State::Start: {
                const auto c = static_cast<unsigned char>(bytes[i]);
                if (base_ + i < sizeof kBom && base_ + i == bomSeen_ && c == kBom[bomSeen_]) {
                    ++bomSeen_;
                    ++i;
                } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                    ++i;
                } else {
                    header_ = c != '<';  // a file that begins with text has a header
                    state_ = State::Text;
                }
                break;
            }
            case State::Text: i = takeFields(bytes, i, size); break;
            case State::Tag: {
                // The tag's text up to its ">" (or a "<" that makes it text),
                // while it stays within kTagLimit.
                size_t end = i;
                const size_t room = kTagLimit - tag_.size();
                while (end < size && end - i < room && bytes[end] != '>' && bytes[end] != '<') ++end;
                tag_.append(bytes + i, end - i);
                i = end;
                if (i == size) break;
                if (bytes[i] == '>') {
                    ++i;
                    endTag();
                } else if (bytes[i] == '<') {
                    startTag(base_ + i);  // the last "<" was text
                    ++i;
                } else {
                    state_ = State::Text;  // too long for a tag
                }
                break;
            }
            case State::Value: i = takeValue(bytes, i, size); break;
            case State::Skip:
                i = scanForMark(bytes, i, size, skipScan_);
                if (skipScan_.found == 'R') state_ = State::Text;
                skipScan_.found = 0;
                break;
            }
        }
        base_ += size;
    }

    void finish() {
        if (state_ == State::Start || header_) return;  // no <EOH> or <EOR> ever came: no records
        if (state_ == State::Value)
            fault(RecordFault::LengthPastEnd, tagAt_, State::Skip);
        else if (state_ != State::Skip && (hasFields_ || state_ == State::Tag))
            fault(RecordFault::NotEnded, hasFields_ ? recordAt_ : tagAt_, State::Skip);
    }

    long records() const { return records_; }
    // Text that is not blank but holds no field, <EOH> or <EOR>: no ADIF.
    bool notAdif() const { return state_ != State::Start && !sawTag_; }

private:
    enum class State {
        Start,  // before the first byte that is not blank or the UTF-8 byte order mark
        Text,   // between fields: everything but "<" is ignored
        Tag,    // inside "<...>"
        Value,  // inside a field's value: `remaining_` bytes to go
        Skip,   // after a fault: looking for the next <EOR>
    };

    // Reads fields from i, between fields, while each tag and value lies
    // whole in the buffer and the value holds no "<": tags are parsed in
    // place and values taken without a copy into tag_. Returns where it
    // stopped, with the state set for the rest (a tag or value the buffer
    // cuts, a value that needs its marks looked at, a fault).
    size_t takeFields(const char* bytes, size_t i, size_t size) {
        const char* const end = bytes + size;
        const char* p = bytes + i;
        // The next "<": found once for the text before it and the value it ends.
        const char* open = static_cast<const char*>(std::memchr(p, '<', static_cast<size_t>(end - p)));
        while (state_ == State::Text) {
            if (!open) return size;
            p = open;
            // The tag's text may take kTagLimit bytes, its ">" the byte after
            // them, as in the Tag state.
            const auto left = static_cast<size_t>(end - p);
            const char* const limit = left > kTagLimit + 2 ? p + 2 + kTagLimit : end;
            // Most tags are <NAME:DIGITS> or <NAME:DIGITS:TYPE>, read in one pass.
            const char* q = p + 1;
            if (end - q >= 16) {  // the name's end among the next 16 bytes, found a word at a time
                const size_t at = firstTagStop(loadLittleEndian(q));
                q += at < 8 ? at : 8 + firstTagStop(loadLittleEndian(q + 8));
            }
            while (q < limit && *q != ':' && *q != '>' && *q != '<') ++q;
            const char* const colon = q;
            const size_t nameLength = static_cast<size_t>(q - p - 1);
            const PackedName name = nameLength <= 16 && end - p - 1 >= 16
                                        ? packNameInPlace(p + 1, nameLength)
                                        : packName(std::string_view(p + 1, nameLength));
            uint64_t length = 0;
            bool plain = q < limit && *q == ':' && q + 1 < limit && q[1] >= '0' && q[1] <= '9';
            if (plain) {
                for (++q; q < limit && *q >= '0' && *q <= '9'; ++q) {
                    const uint64_t digit = static_cast<uint64_t>(*q - '0');
                    plain =
                        plain && (length < UINT64_MAX / 10 || (length == UINT64_MAX / 10 && digit <= UINT64_MAX % 10));
                    length = length * 10 + digit;
                }
                if (q < limit && *q == ':')
                    while (q < limit && *q != '>' && *q != '<') ++q;
                plain = plain && q < limit && *q == '>';
            }
            if (!plain) {
                // Anything else (a mark, a bad length, a tag cut or too long) the
                // long way: up to the ">" and through onTag.
                while (q < limit && *q != '>' && *q != '<') ++q;
                if (q == end && left <= kTagLimit + 1) {  // the buffer cuts the tag
                    startTag(base_ + static_cast<size_t>(p - bytes));
                    tag_.append(p + 1, static_cast<size_t>(q - p - 1));
                    return size;
                }
                if (q == limit || *q == '<') {  // too long for a tag, or its "<" was text
                    open = q < limit ? q : static_cast<const char*>(std::memchr(q, '<', static_cast<size_t>(end - q)));
                    continue;
                }
                tagAt_ = base_ + static_cast<size_t>(p - bytes);
                onTag(std::string_view(p + 1, static_cast<size_t>(q - p - 1)), colon);
            } else {
                tagAt_ = base_ + static_cast<size_t>(p - bytes);
                onField(name, length);
            }
            p = q + 1;
            open = static_cast<const char*>(std::memchr(p, '<', static_cast<size_t>(end - p)));
            if (state_ != State::Value) continue;
            // The value, whole in the buffer and free of "<", is taken here.
            if (remaining_ > static_cast<uint64_t>(end - p) || (open && static_cast<uint64_t>(open - p) < remaining_))
                break;
            keepValue(p, remaining_);
            p += remaining_;
            remaining_ = 0;
            state_ = State::Text;
        }
        return static_cast<size_t>(p - bytes);
    }

    // Takes the value's bytes in [i, size) and returns where it stopped. A
    // value is counted bytes and may hold any text, an <EOR> too when it ends
    // there; but one whose length runs on past an <EOR> is taken for a
    // length that is wrong: the record is malformed and reading goes on just
    // after that <EOR>. In a header an <EOH> ends it the same way.
    size_t takeValue(const char* bytes, size_t i, size_t size) {
        const size_t take = static_cast<size_t>(std::min<uint64_t>(remaining_, size - i));
        const size_t end = i + take;
        for (size_t at = i; (at = scanForMark(bytes, at, end, valueScan_)), valueScan_.found;) {
            const char mark = valueScan_.found;
            valueScan_.found = 0;
            const bool runsOn = remaining_ > at - i;
            if (!runsOn || (mark == 'H' && !header_)) continue;
            if (mark == 'R') {
                if (slot_ >= 0) fields_[slot_].clear();  // what it took is no value
                fault(RecordFault::LengthPastRecord, tagAt_, State::Text);
            } else {
                sawTag_ = true;
                startRecord();  // the header ends at its <EOH>
                state_ = State::Text;
            }
            return at;
        }
        keepValue(bytes + i, take);
        remaining_ -= take;
        if (remaining_ == 0) state_ = State::Text;
        return end;
    }

    void keepValue(const char* bytes, size_t count) {
        if (slot_ >= 0) fields_[slot_].append(bytes, count);
    }

    void startTag(uint64_t at) {
        state_ = State::Tag;
        tag_.clear();
        tagAt_ = at;
    }

    void endTag() {
        const size_t colon = tag_.find(':');
        onTag(tag_, tag_.data() + (colon == std::string::npos ? tag_.size() : colon));
    }

    // The tag between "<" and ">" (at tagAt_), its first ":" at `colon` (its
    // end when it has none): a record's end, the header's end, or a field
    // whose value follows.
    void onTag(std::string_view tag, const char* colon) {
        state_ = State::Text;
        const char* const end = tag.data() + tag.size();
        const std::string_view name(tag.data(), static_cast<size_t>(colon - tag.data()));
        if (colon == end) {
            // Blanks after a mark's name ("<EOR >") are layout, as the scan
            // for marks takes them.
            std::string_view mark = name;
            while (!mark.empty() && (mark.back() == ' ' || mark.back() == '\t')) mark.remove_suffix(1);
            if (equalsIgnoringCase(mark, "EOR")) {
                sawTag_ = true;
                endRecord();
            } else if (equalsIgnoringCase(mark, "EOH")) {
                sawTag_ = true;
                startRecord();
            }
            return;  // any other tag without a length is text
        }
        // The length: decimal digits up to the type's ":" or the end; one that
        // does not fit in 64 bits is no length.
        uint64_t value = 0;
        const char* d = colon + 1;
        bool good = d < end && *d != ':';
        for (; good && d < end && *d != ':'; ++d) {
            const uint64_t digit = static_cast<uint64_t>(*d - '0');
            good = digit <= 9 && (value < UINT64_MAX / 10 || (value == UINT64_MAX / 10 && digit <= UINT64_MAX % 10));
            value = value * 10 + digit;
        }
        if (!good) {
            if (!header_) {
                fault(RecordFault::BadLength, tagAt_, State::Skip);
            } else if (headerFault_ == RecordFault::None) {
                // Header text, unless an <EOR> shows the "header" was a record.
                headerFault_ = RecordFault::BadLength;
                headerFaultAt_ = tagAt_;
            }
            return;
        }
        onField(packName(name), value);
    }

    // A field's tag with a good length: its value comes next.
    void onField(const PackedName& name, uint64_t length) {
        if (!hasFields_) recordAt_ = tagAt_;
        hasFields_ = true;
        sawTag_ = true;
        slot_ = adifSlotOf(name);
        if (slot_ >= 0) fields_[slot_].clear();  // the last of repeated fields counts
        remaining_ = length;
        valueScan_ = MarkScan();
        if (remaining_ > 0) state_ = State::Value;
    }

    void startRecord() {
        for (FieldText& field : fields_) field.clear();
        hasFields_ = false;
        header_ = false;
        headerFault_ = RecordFault::None;
    }

    void endRecord() {
        // An <EOR> before any <EOH>: the file had no header, and what was
        // read was the first record.
        if (header_ && headerFault_ != RecordFault::None) {
            fault(headerFault_, headerFaultAt_, State::Text);
            return;
        }
        if (hasFields_) sink_(contactOf(RecordFault::None, recordAt_));
        startRecord();
    }

    void fault(RecordFault what, uint64_t offset, State then) {
        sink_(contactOf(what, offset));
        startRecord();
        state_ = then;
        skipScan_ = MarkScan();
    }

    // The record read so far as a contact, in contact_.
    const LogContact& contactOf(RecordFault fault, uint64_t offset) {
        LogContact& contact = contact_;
        contact.record = ++records_;
        contact.offset = offset;
        contact.fault = fault;
        safeFieldText(fields_[kCall], true, contact.call);
        safeFieldText(fields_[kQsoDate], true, contact.writtenDate);
        contact.date = adifDate(fields_[kQsoDate], &dayMemo_);  // ADIF dates are UTC days
        contact.time = adifTime(fields_[kTimeOn]);
        // A logger may write the country first: "JA,1001".
        safeFieldText(fields_[kCnty], true, text_);
        contact.number = foldNumberText(text_);
        if (const size_t comma = contact.number.rfind(','); comma != std::string::npos)
            contact.number.assign(trimBlanks(std::string_view(contact.number).substr(comma + 1)));
        safeFieldText(fields_[kBand], true, contact.band);
        for (char& c : contact.band)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (contact.band.empty()) {
            safeFieldText(fields_[kFreq], true, text_);
            contact.band = bands_.bandOf(text_);
        }
        safeFieldText(fields_[kMode], true, contact.mode);
        safeFieldText(fields_[kState], true, contact.state);
        uint64_t dxcc = 0;
        contact.japanese = decimalValue(trimBlanks(fields_[kDxcc]), dxcc)
                               ? std::find(std::begin(kJapanDxcc), std::end(kJapanDxcc), dxcc) != std::end(kJapanDxcc)
                               : hasJapanesePrefix(contact.call);
        // "V" (verified) is what older loggers write for a received card.
        const auto received = [](std::string_view value) {
            value = trimBlanks(value);
            return equalsIgnoringCase(value, "Y") || equalsIgnoringCase(value, "V");
        };
        contact.confirmed = received(fields_[kQslRcvd]) || received(fields_[kLotwQslRcvd]);
        return contact;
    }

    const ContactSink& sink_;
    State state_ = State::Start;
    uint64_t base_ = 0;                            // offset of the first byte of the buffer being fed
    size_t bomSeen_ = 0;                           // bytes of the byte order mark crossed at the start
    bool header_ = false;                          // inside a header: stray tags and bad lengths are its text
    std::string tag_;                              // the tag's text between "<" and ">"
    uint64_t tagAt_ = 0;                           // offset of the tag's "<"
    uint64_t remaining_ = 0;                       // bytes of the value still to come
    int slot_ = -1;                                // where the value goes, -1 for a field not used
    MarkScan valueScan_;                           // a mark inside the value being taken
    MarkScan skipScan_;                            // the <EOR> looked for after a fault
    FieldText fields_[kAdifSlots];                 // the kept fields of the record
    LogContact contact_;                           // the record handed on, its storage reused
    std::string text_;                             // a field made safe, before folding
    BandCache bands_;                              // bands of the frequencies seen
    DayMemo dayMemo_;                              // the last day looked up
    bool hasFields_ = false;                       // the record has a field so far
    bool sawTag_ = false;                          // a field's tag, <EOH> or <EOR> came
    uint64_t recordAt_ = 0;                        // offset of the record's first field
    RecordFault headerFault_ = RecordFault::None;  // a bad length in what may be a header
    uint64_t headerFaultAt_ = 0;                   // offset of its tag
    long records_ = 0;
};

}  // namespace

ReadResult readAdif(LogSource& source, const ContactSink& sink) {
    AdifParser parser(sink);
    ReadResult result = readWith(source, parser);
    result.notAdif = parser.notAdif();
    return result;
}

}  // namespace orvetta
