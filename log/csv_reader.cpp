// The HAMLOG CSV reader: a state machine fed one buffer at a time, so a field
// or a line end may straddle any refill. Runs of plain bytes are crossed in
// tight loops; only commas, quotes and line ends change the state.
#include <climits>
#include <cstring>

#include "log/format_readers.h"

namespace orvetta {

namespace {

// HAMLOG CSV columns the readers use; the ones after kCsvKept are counted only.
enum CsvColumn {
    kCsvCall = 0,
    kCsvDate = 1,
    kCsvTime = 2,
    kCsvFreq = 5,
    kCsvMode = 6,
    kCsvCode = 7,
    kCsvQsl = 9,
    kCsvKept = 10,
};
constexpr uint64_t kCsvMinimumColumns = 14;

// True for HAMLOG's code of a foreign country: three digits and a letter.
bool isDxCode(std::string_view code) {
    return code.size() == 4 && allDigits(code.substr(0, 3)) && code[3] >= 'A' && code[3] <= 'Z';
}

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }
// Blanks and the DOS end-of-file mark alone make no record.
bool isFiller(char c) { return c == ' ' || c == '\t' || c == '\x1a'; }

// A line is a record; LF, CR LF and a lone CR each end one. A quoted field
// may hold commas and doubled quotes but never a line break, so a broken
// quote costs one line, not the rest of the file. A first line without a
// HAMLOG date (a header row a spreadsheet added) is passed over.
class CsvParser {
public:
    explicit CsvParser(const ContactSink& sink) : sink_(sink) {}

    void feed(const char* bytes, size_t size) {
        size_t i = 0;
        if (afterCr_ && size > 0) {
            afterCr_ = false;
            if (bytes[0] == '\n') lineAt_ = base_ + ++i;  // the LF of a CR LF
        }
        while (i < size) {
            if (state_ == State::FieldStart && column_ == 0 && !hasBytes_) i = takeLines(bytes, i, size);
            if (i == size) break;
            const char c = bytes[i];
            if (isLineEnd(c)) {
                endLine();
                ++i;
                if (c == '\r') {
                    if (i == size)
                        afterCr_ = true;
                    else if (bytes[i] == '\n')
                        ++i;
                }
                lineAt_ = base_ + i;
                continue;
            }
            switch (state_) {
            case State::FieldStart:
                if (c == '"') {
                    hasBytes_ = true;
                    state_ = State::Quoted;
                    ++i;
                    break;
                }
                state_ = State::Bare;
                [[fallthrough]];
            case State::Bare: i = takeBare(bytes, i, size); break;
            case State::Quoted: {
                size_t end = i;
                while (end < size && bytes[end] != '"' && !isLineEnd(bytes[end])) ++end;
                keep(bytes + i, end - i);
                i = end;
                if (i < size && bytes[i] == '"') {
                    state_ = State::QuoteSeen;
                    ++i;
                }
                break;
            }
            case State::QuoteSeen:  // a doubled quote, the field's end, or text after the quote
                if (c == '"') {
                    keep(bytes + i, 1);
                    state_ = State::Quoted;
                    ++i;
                } else if (c == ',') {
                    endField();
                    ++i;
                } else {
                    state_ = State::Bare;
                }
                break;
            }
        }
        base_ += size;
    }

    void finish() { endLine(); }
    long records() const { return records_; }
    bool notHamlog() const { return sawLine_ && !sawDate_; }

private:
    enum class State {
        FieldStart,  // at a field's first byte: a quote opens a quoted field
        Bare,        // inside an unquoted field: up to the next comma
        Quoted,      // inside a quoted field: up to the next quote
        QuoteSeen,   // just after a quote inside a quoted field
    };

    // Reads whole lines from i, a line's start, while the buffer holds the
    // line and its end is an LF or a CR LF; returns where it stopped (the
    // state machine reads the rest). Each line's fields are found with
    // plain loops over the line's bytes, as the state machine would.
    size_t takeLines(const char* bytes, size_t i, size_t size) {
        const char* const end = bytes + size;
        const char* p = bytes + i;
        while (p < end) {
            const char* const lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
            if (!lf) break;
            const char* e = lf > p && lf[-1] == '\r' ? lf - 1 : lf;
            if (std::memchr(p, '\r', static_cast<size_t>(e - p))) break;  // a lone CR ends a line first
            takeLine(p, e);
            endLine();
            p = lf + 1;
            lineAt_ = base_ + static_cast<size_t>(p - bytes);
        }
        return static_cast<size_t>(p - bytes);
    }

    // The fields of the line [p, e), which holds no line end.
    void takeLine(const char* p, const char* e) {
        for (;;) {
            if (p < e && *p == '"') {
                hasBytes_ = true;
                state_ = State::Quoted;
                for (++p;;) {  // up to the closing quote; a doubled one is a quote
                    const char* q = p;
                    if (column_ < kCsvKept) {
                        while (q < e && *q != '"') ++q;
                        keep(p, static_cast<size_t>(q - p));
                    } else {  // only counted: names and remarks, longer, crossed with memchr
                        q = static_cast<const char*>(std::memchr(p, '"', static_cast<size_t>(e - p)));
                        if (!q) q = e;
                    }
                    if (q == e) return;  // the line ends inside the quotes
                    p = q + 1;
                    if (p == e || *p != '"') break;
                    keep(p++, 1);
                }
                state_ = State::Bare;  // text after the closing quote, up to the comma
            }
            const char* comma = p;
            while (comma < e && *comma != ',') ++comma;
            keep(p, static_cast<size_t>(comma - p));
            if (comma == e) return;
            endField();
            p = comma + 1;
        }
    }

    // Bare text from i up to a comma or a line end; returns where it stopped.
    // Columns past the kept ones are only counted, commas in a tight loop
    // that stops at a quote, which may open a quoted field.
    size_t takeBare(const char* bytes, size_t i, size_t size) {
        if (column_ >= kCsvKept) {
            uint64_t commas = 0;
            bool fieldStart = false;
            size_t end = i;
            for (; end < size; ++end) {
                const char c = bytes[end];
                if (c == ',') {
                    ++commas;
                    fieldStart = true;
                } else if (c == '"' && fieldStart) {
                    break;
                } else if (isLineEnd(c)) {
                    break;
                } else {
                    fieldStart = false;
                    if (!isFiller(c)) hasBytes_ = true;
                }
            }
            if (commas > 0) hasBytes_ = true;
            column_ += commas;
            if (fieldStart) state_ = State::FieldStart;
            return end;
        }
        size_t end = i;
        while (end < size && bytes[end] != ',' && !isLineEnd(bytes[end])) ++end;
        keep(bytes + i, end - i);
        if (end < size && bytes[end] == ',') {
            endField();
            ++end;
        }
        return end;
    }

    void keep(const char* bytes, size_t count) {
        if (!hasBytes_)
            for (size_t k = 0; k < count && !hasBytes_; ++k) hasBytes_ = !isFiller(bytes[k]);
        if (column_ < kCsvKept) fields_[column_].append(bytes, count);
    }

    void endField() {
        hasBytes_ = true;
        ++column_;
        state_ = State::FieldStart;
    }

    void endLine() {
        ++line_;
        if (hasBytes_) {
            day_.clear();
            const bool dated = column_ >= kCsvDate && readHamlogDate(fields_[kCsvDate], day_, &dayMemo_);
            sawDate_ = sawDate_ || dated;
            if (sawLine_ || dated) {
                LogContact& contact = contact_;
                contact.record = line_;
                contact.offset = lineAt_;
                contact.fromCsv = true;
                const uint64_t columns = column_ + 1;
                contact.columns = columns > INT_MAX ? INT_MAX : static_cast<int>(columns);
                contact.fault = state_ == State::Quoted        ? RecordFault::QuoteNotClosed
                                : columns < kCsvMinimumColumns ? RecordFault::TooFewColumns
                                : !dated                       ? RecordFault::NoHamlogDate
                                                               : RecordFault::None;
                fill(contact);
                ++records_;
                sink_(contact);
            }
            sawLine_ = true;
        }
        for (FieldText& field : fields_) field.clear();
        column_ = 0;
        hasBytes_ = false;
        state_ = State::FieldStart;
    }

    void fill(LogContact& contact) {
        safeFieldText(fields_[kCsvCall], false, contact.call);
        safeFieldText(fields_[kCsvDate], false, contact.writtenDate);
        // HAMLOG dates go with its times: a "J" time is JST, so a contact
        // between 00:00 and 08:59 JST has the previous UTC day. The award
        // check takes the day as written, as the logger shows it.
        contact.date = day_;
        contact.time = hamlogTime(fields_[kCsvTime]);
        safeFieldText(fields_[kCsvFreq], false, text_);
        contact.band = bands_.bandOf(text_);
        safeFieldText(fields_[kCsvMode], false, contact.mode);
        safeFieldText(fields_[kCsvCode], false, text_);
        contact.number = foldNumberText(text_);
        // Every contact with a Japanese code; one without a code when its
        // call is Japanese. HAMLOG's codes of foreign countries are skipped.
        contact.japanese = contact.number.empty() ? hasJapanesePrefix(contact.call) : !isDxCode(contact.number);
        // QSL: three bytes, how the card goes, sent, received; any mark in a
        // place means that step happened, a blank that it did not.
        const std::string_view qsl = fields_[kCsvQsl];
        const auto marked = [&](size_t at) {
            return qsl.size() > at && static_cast<unsigned char>(qsl[at]) > ' ' && qsl[at] != 0x7F;
        };
        contact.via = marked(0) ? qsl[0] : 0;
        contact.confirmed = marked(2);
    }

    const ContactSink& sink_;
    State state_ = State::FieldStart;
    uint64_t base_ = 0;           // offset of the first byte of the buffer being fed
    uint64_t lineAt_ = 0;         // offset of the line's first byte
    long line_ = 0;               // lines ended so far
    uint64_t column_ = 0;         // 0-based column being read; 64 bits, so no line can overflow it
    bool hasBytes_ = false;       // the line holds more than blanks and line ends
    bool afterCr_ = false;        // the last buffer ended in a CR: an LF first is its CR LF
    bool sawLine_ = false;        // a line with bytes has ended: the next ones are records
    bool sawDate_ = false;        // some line had a HAMLOG date in its second column
    FieldText fields_[kCsvKept];  // the kept columns of the line, each capped at kFieldLimit
    LogContact contact_;          // the record handed on, its storage reused
    std::string text_;            // a field made safe, before folding
    BandCache bands_;             // bands of the frequencies seen
    DayMemo dayMemo_;             // the last day looked up
    std::string day_;             // the line's day, "" when it has none
    long records_ = 0;            // records handed to the sink
};

}  // namespace

ReadResult readHamlogCsv(LogSource& source, const ContactSink& sink) {
    CsvParser parser(sink);
    ReadResult result = readWith(source, parser);
    result.notHamlog = parser.notHamlog();
    return result;
}

}  // namespace orvetta
