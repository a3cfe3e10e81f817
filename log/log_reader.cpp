// ADIF and HAMLOG CSV readers: byte-driven state machines fed one buffer at
// a time, so a tag, a value or a line may straddle any refill.
#include "log/log_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "dict/history.h"

namespace orvetta {

long long MemorySource::read(char* buffer, size_t size) {
    const size_t n = std::min({size, chunk_, bytes_.size() - at_});
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return static_cast<long long>(n);
}

namespace {

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void appendCapped(std::string& value, const char* bytes, size_t count) {
    if (value.size() < kFieldLimit) value.append(bytes, std::min(count, kFieldLimit - value.size()));
}

// "YYYY-MM-DD" from its parts, "" when no such day exists.
std::string calendarDate(int year, int month, int day) {
    if (year < 0 || year > 9999 || month < 0 || month > 99 || day < 0 || day > 99) return "";
    const char text[11] = {static_cast<char>('0' + year / 1000),
                           static_cast<char>('0' + year / 100 % 10),
                           static_cast<char>('0' + year / 10 % 10),
                           static_cast<char>('0' + year % 10),
                           '-',
                           static_cast<char>('0' + month / 10),
                           static_cast<char>('0' + month % 10),
                           '-',
                           static_cast<char>('0' + day / 10),
                           static_cast<char>('0' + day % 10),
                           '\0'};
    return isCalendarDate(text) ? std::string(text, 10) : "";
}

// The value of a string of at most 18 decimal digits.
uint64_t decimalValue(std::string_view digits) {
    uint64_t value = 0;
    for (char c : digits) value = value * 10 + static_cast<uint64_t>(c - '0');
    return value;
}

// ADIF QSO_DATE: YYYYMMDD.
std::string adifDate(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() != 8 || !allDigits(text)) return "";
    auto part = [&](size_t at, size_t size) { return static_cast<int>(decimalValue(text.substr(at, size))); };
    return calendarDate(part(0, 4), part(4, 2), part(6, 2));
}

// HAMLOG Date: yy/mm/dd; 50-99 are 1950-1999, 00-49 2000-2049. A four-digit
// year is taken as it stands.
std::string hamlogDate(std::string_view text) {
    text = trimBlanks(text);
    const size_t slash1 = text.find('/'), slash2 = text.find('/', slash1 == text.npos ? 0 : slash1 + 1);
    if (slash1 == text.npos || slash2 == text.npos) return "";
    const std::string_view y = text.substr(0, slash1), m = text.substr(slash1 + 1, slash2 - slash1 - 1),
                           d = text.substr(slash2 + 1);
    if (!allDigits(y) || !allDigits(m) || !allDigits(d) || (y.size() != 2 && y.size() != 4) || m.size() > 2 ||
        d.size() > 2)
        return "";
    int year = static_cast<int>(decimalValue(y));
    if (y.size() == 2) year += year >= 50 ? 1900 : 2000;
    return calendarDate(year, static_cast<int>(decimalValue(m)), static_cast<int>(decimalValue(d)));
}

// ADIF band names by frequency range in MHz, both ends included (the ADIF
// band enumeration).
struct BandRange {
    double lowerMhz;
    double upperMhz;
    const char* band;
};
constexpr BandRange kAdifBands[] = {
    {0.1357, 0.1378, "2190m"},   {0.472, 0.479, "630m"},      {0.501, 0.504, "560m"},
    {1.8, 2.0, "160m"},          {3.5, 4.0, "80m"},           {5.06, 5.45, "60m"},
    {7.0, 7.3, "40m"},           {10.1, 10.15, "30m"},        {14.0, 14.35, "20m"},
    {18.068, 18.168, "17m"},     {21.0, 21.45, "15m"},        {24.890, 24.99, "12m"},
    {28.0, 29.7, "10m"},         {40.0, 45.0, "8m"},          {50.0, 54.0, "6m"},
    {54.000001, 69.9, "5m"},     {70.0, 71.0, "4m"},          {144.0, 148.0, "2m"},
    {222.0, 225.0, "1.25m"},     {420.0, 450.0, "70cm"},      {902.0, 928.0, "33cm"},
    {1240.0, 1300.0, "23cm"},    {2300.0, 2450.0, "13cm"},    {3300.0, 3500.0, "9cm"},
    {5650.0, 5925.0, "6cm"},     {10000.0, 10500.0, "3cm"},   {24000.0, 24250.0, "1.25cm"},
    {47000.0, 47200.0, "6mm"},   {75500.0, 81000.0, "4mm"},   {119980.0, 123000.0, "2.5mm"},
    {134000.0, 149000.0, "2mm"}, {241000.0, 250000.0, "1mm"}, {300000.0, 7500000.0, "submm"},
};

// Band figures HAMLOG writes that lie outside the ADIF range of their band.
struct BandFigure {
    double mhz;
    const char* band;
};
constexpr BandFigure kHamlogBandFigures[] = {
    {10.0, "30m"},     // "10": the 10 MHz band, 10.1-10.15
    {18.0, "17m"},     // "18": 18.068-18.168
    {24.0, "12m"},     // "24": 24.89-24.99
    {1200.0, "23cm"},  // "1200": 1240-1300
    {5600.0, "6cm"},   // "5600": 5650-5925
    {75000.0, "4mm"},  // "75G": 75.5-81 GHz
};

// ADIF: the fields the award check uses; every other field is skipped.
enum AdifSlot { kCall, kQsoDate, kCnty, kBand, kFreq, kMode, kState, kDxcc, kQslRcvd, kLotwQslRcvd, kAdifSlots };
constexpr std::string_view kAdifSlotNames[kAdifSlots] = {"CALL", "QSO_DATE", "CNTY", "BAND",     "FREQ",
                                                         "MODE", "STATE",    "DXCC", "QSL_RCVD", "LOTW_QSL_RCVD"};
constexpr int kJapanDxcc = 339;
// A tag longer than this is no tag but text that happens to hold "<".
constexpr size_t kTagLimit = 80;
// More length digits than this cannot be a field of a real file.
constexpr size_t kLengthDigits = 15;

int adifSlotOf(std::string_view name) {
    for (int s = 0; s < kAdifSlots; ++s)
        if (name.size() == kAdifSlotNames[s].size() && equalsIgnoringCase(name, kAdifSlotNames[s])) return s;
    return -1;
}

class AdifParser {
public:
    explicit AdifParser(const ContactSink& sink) : sink_(sink) {}

    void feed(const char* bytes, size_t size) {
        size_t i = 0;
        while (i < size) {
            if (state_ == State::Text && started_) {
                // Text between fields means nothing: go straight to the next "<"
                // (a plain loop: the gap is mostly a blank or a line end).
                const size_t from = i;
                while (i < size && bytes[i] != '<') ++i;
                at_ += i - from;
                if (i == size) break;
            } else if (state_ == State::Tag) {
                // The tag's text up to its ">" (or a "<" that makes it text),
                // while it stays within kTagLimit.
                size_t end = i;
                const size_t room = kTagLimit - tag_.size();
                while (end < size && end - i < room && bytes[end] != '>' && bytes[end] != '<') ++end;
                tag_.append(bytes + i, end - i);
                at_ += end - i;
                i = end;
                if (i == size) break;
            }
            if (state_ == State::Value) {
                const size_t take = static_cast<size_t>(std::min<uint64_t>(remaining_, size - i));
                if (slot_ >= 0) appendCapped(fields_[slot_], bytes + i, take);
                remaining_ -= take;
                i += take;
                at_ += take;
                if (remaining_ == 0) state_ = State::Text;
                continue;
            }
            step(bytes[i]);
            ++i;
            ++at_;
        }
    }

    void finish() {
        if (header_) return;  // text that never reached <EOH> or <EOR>: no records
        if (state_ == State::Value)
            fault(RecordFault::LengthPastEnd, tagAt_);
        else if (state_ != State::Skip && (hasFields_ || state_ == State::Tag))
            fault(RecordFault::NotEnded, hasFields_ ? recordAt_ : tagAt_);
    }

    long records() const { return records_; }

private:
    enum class State {
        Text,   // between fields: everything but "<" is ignored
        Tag,    // inside "<...>"
        Value,  // inside a field's value: `remaining_` bytes to go
        Skip,   // after a fault: looking for the next <EOR>
    };

    void step(char c) {
        if (!started_) {
            started_ = true;
            header_ = c != '<';  // ADIF: a file that begins with text has a header
        }
        switch (state_) {
        case State::Text:
            if (c == '<') startTag();
            break;
        case State::Tag:
            if (c == '>')
                endTag();
            else if (c == '<')
                startTag();  // the last "<" was text
            else if (tag_.size() < kTagLimit)
                tag_ += c;
            else
                state_ = State::Text;
            break;
        case State::Skip:
            if (upperAscii(c) == kEor[skipMatch_])
                ++skipMatch_;
            else
                skipMatch_ = c == '<' ? 1 : 0;
            if (skipMatch_ == 5) {
                skipMatch_ = 0;
                state_ = State::Text;
            }
            break;
        case State::Value: break;
        }
    }

    void startTag() {
        state_ = State::Tag;
        tag_.clear();
        tagAt_ = at_;
    }

    void endTag() {
        state_ = State::Text;
        const size_t colon = tag_.find(':');
        const std::string_view name = std::string_view(tag_).substr(0, colon);
        if (colon == std::string::npos) {
            if (equalsIgnoringCase(name, std::string_view("EOR", 3)))
                endRecord();
            else if (equalsIgnoringCase(name, std::string_view("EOH", 3)))
                startRecord(false);
            return;  // any other tag without a length is text
        }
        std::string_view length = std::string_view(tag_).substr(colon + 1);
        length = length.substr(0, length.find(':'));  // drop the type
        if (!allDigits(length) || length.size() > kLengthDigits) {
            if (!header_) fault(RecordFault::BadLength, tagAt_);
            return;
        }
        if (!hasFields_) recordAt_ = tagAt_;
        hasFields_ = true;
        slot_ = adifSlotOf(name);
        if (slot_ >= 0) fields_[slot_].clear();  // the last of repeated fields counts
        remaining_ = decimalValue(length);
        if (remaining_ > 0) state_ = State::Value;
    }

    void startRecord(bool keepHeader) {
        for (std::string& field : fields_) field.clear();
        hasFields_ = false;
        header_ = keepHeader;
    }

    void endRecord() {
        header_ = false;  // an <EOR> before any <EOH>: the file had no header
        if (hasFields_) {
            LogContact contact = contactOf();
            contact.offset = recordAt_;
            sink_(contact);
        }
        startRecord(false);
    }

    void fault(RecordFault what, uint64_t offset) {
        LogContact contact = contactOf();
        contact.fault = what;
        contact.offset = offset;
        sink_(contact);
        startRecord(false);
        state_ = State::Skip;
        skipMatch_ = 0;
    }

    LogContact contactOf() {
        LogContact contact;
        contact.record = ++records_;
        contact.call = trimBlanks(fields_[kCall]);
        contact.writtenDate = trimBlanks(fields_[kQsoDate]);
        contact.date = adifDate(fields_[kQsoDate]);  // ADIF dates are UTC days
        // A logger may write the country first: "JA,1001".
        std::string number = foldNumberText(fields_[kCnty]);
        if (const size_t comma = number.rfind(','); comma != std::string::npos)
            number = trimBlanks(std::string_view(number).substr(comma + 1));
        contact.number = number;
        std::string band(trimBlanks(fields_[kBand]));
        std::transform(band.begin(), band.end(), band.begin(),
                       [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
        contact.band = band.empty() ? bandOfFrequency(fields_[kFreq]) : band;
        contact.mode = trimBlanks(fields_[kMode]);
        contact.state = trimBlanks(fields_[kState]);
        const std::string_view dxcc = trimBlanks(fields_[kDxcc]);
        contact.japanese =
            allDigits(dxcc) && dxcc.size() < 8 ? decimalValue(dxcc) == kJapanDxcc : hasJapanesePrefix(contact.call);
        contact.confirmed = equalsIgnoringCase(trimBlanks(fields_[kQslRcvd]), "Y") ||
                            equalsIgnoringCase(trimBlanks(fields_[kLotwQslRcvd]), "Y");
        return contact;
    }

    static constexpr char kEor[] = "<EOR>";

    const ContactSink& sink_;
    State state_ = State::Text;
    uint64_t at_ = 0;  // offset of the next byte
    bool started_ = false;
    bool header_ = false;     // inside a header: stray tags and bad lengths are its text
    std::string tag_;         // the tag's text between "<" and ">"
    uint64_t tagAt_ = 0;      // offset of the tag's "<"
    uint64_t remaining_ = 0;  // bytes of the value still to come
    int slot_ = -1;           // where the value goes, -1 for a field not used
    int skipMatch_ = 0;       // characters of "<EOR>" seen while skipping
    std::string fields_[kAdifSlots];
    bool hasFields_ = false;  // the record has a field so far
    uint64_t recordAt_ = 0;   // offset of the record's first field
    long records_ = 0;
};

// HAMLOG CSV columns the award check uses.
enum CsvColumn { kCsvCall = 0, kCsvDate = 1, kCsvFreq = 5, kCsvMode = 6, kCsvCode = 7, kCsvKept = 8 };
constexpr int kCsvMinimumColumns = 14;

// True for HAMLOG's code of a foreign country: three digits and a letter.
bool isDxCode(std::string_view code) {
    return code.size() == 4 && allDigits(code.substr(0, 3)) && code[3] >= 'A' && code[3] <= 'Z';
}

// A line is a record; a quoted field may hold commas and doubled quotes but
// never a line break, so a broken quote costs one line, not the rest of the
// file. CR is dropped wherever it stands.
class CsvParser {
public:
    explicit CsvParser(const ContactSink& sink) : sink_(sink) {}

    void feed(const char* bytes, size_t size) {
        for (size_t i = 0; i < size; ++i, ++at_) {
            const char c = bytes[i];
            if (c == '\n') {
                endLine();
                lineAt_ = at_ + 1;
                continue;
            }
            if (c == '\r') continue;
            // Blanks and the DOS end-of-file mark alone make no record.
            if (c != ' ' && c != '\t' && c != '\x1a') hasBytes_ = true;
            switch (state_) {
            case State::FieldStart:
                if (c == '"')
                    state_ = State::Quoted;
                else if (c == ',')
                    endField();
                else {
                    keep(c);
                    state_ = State::Bare;
                }
                break;
            case State::Bare:
                if (c == ',')
                    endField();
                else
                    keep(c);
                break;
            case State::Quoted:
                if (c == '"')
                    state_ = State::QuoteSeen;
                else
                    keep(c);
                break;
            case State::QuoteSeen:  // a doubled quote, the field's end, or text after the quote
                if (c == ',') {
                    endField();
                } else {
                    keep(c);
                    state_ = c == '"' ? State::Quoted : State::Bare;
                }
                break;
            }
        }
    }

    void finish() { endLine(); }
    long records() const { return records_; }

private:
    enum class State { FieldStart, Bare, Quoted, QuoteSeen };

    void keep(char c) {
        if (column_ < kCsvKept) appendCapped(fields_[column_], &c, 1);
    }

    void endField() {
        ++column_;
        state_ = State::FieldStart;
    }

    void endLine() {
        ++line_;
        if (hasBytes_) {
            LogContact contact;
            contact.record = line_;
            contact.offset = lineAt_;
            contact.fromCsv = true;
            contact.columns = column_ + 1;
            if (state_ == State::Quoted)
                contact.fault = RecordFault::QuoteNotClosed;
            else if (contact.columns < kCsvMinimumColumns)
                contact.fault = RecordFault::TooFewColumns;
            fill(contact);
            ++records_;
            sink_(contact);
        }
        for (std::string& field : fields_) field.clear();
        column_ = 0;
        hasBytes_ = false;
        state_ = State::FieldStart;
    }

    void fill(LogContact& contact) const {
        contact.call = trimBlanks(fields_[kCsvCall]);
        contact.writtenDate = trimBlanks(fields_[kCsvDate]);
        // HAMLOG dates go with its times: a "J" time is JST, so a contact
        // between 00:00 and 08:59 JST has the previous UTC day. The award
        // check takes the day as written, as the logger shows it.
        contact.date = hamlogDate(fields_[kCsvDate]);
        contact.band = bandOfFrequency(fields_[kCsvFreq]);
        contact.mode = trimBlanks(fields_[kCsvMode]);
        contact.number = foldNumberText(fields_[kCsvCode]);
        // Every contact with a Japanese code; one without a code when its
        // call is Japanese. HAMLOG's codes of foreign countries are skipped.
        contact.japanese = contact.number.empty() ? hasJapanesePrefix(contact.call) : !isDxCode(contact.number);
    }

    const ContactSink& sink_;
    State state_ = State::FieldStart;
    uint64_t at_ = 0;        // offset of the next byte
    uint64_t lineAt_ = 0;    // offset of the line's first byte
    long line_ = 0;          // lines ended so far
    int column_ = 0;         // 0-based column being read
    bool hasBytes_ = false;  // the line holds more than CR
    std::string fields_[kCsvKept];
    long records_ = 0;
};

template <typename Parser>
ReadResult readWith(LogSource& source, Parser& parser) {
    ReadResult result;
    std::unique_ptr<char[]> buffer(new char[kLogBufferSize]);
    for (;;) {
        const long long got = source.read(buffer.get(), kLogBufferSize);
        if (got < 0) result.readError = true;
        if (got <= 0) break;
        parser.feed(buffer.get(), static_cast<size_t>(got));
    }
    parser.finish();
    result.records = parser.records();
    return result;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool containsNoCase(std::string_view text, std::string_view what) {
    return std::search(text.begin(), text.end(), what.begin(), what.end(),
                       [](char x, char y) { return upperAscii(x) == upperAscii(y); }) != text.end();
}

// Serves the head read for choosing the format, then the rest of the source.
class HeadSource : public LogSource {
public:
    HeadSource(std::string_view head, LogSource& rest) : head_(head), rest_(rest) {}
    long long read(char* buffer, size_t size) override {
        if (at_ == head_.size()) return rest_.read(buffer, size);
        const size_t n = std::min(size, head_.size() - at_);
        std::memcpy(buffer, head_.data() + at_, n);
        at_ += n;
        return static_cast<long long>(n);
    }

private:
    std::string_view head_;
    LogSource& rest_;
    size_t at_ = 0;
};

}  // namespace

LogFormat chooseLogFormat(std::string_view fileName, std::string_view head) {
    if (endsWithNoCase(fileName, ".adi") || endsWithNoCase(fileName, ".adif")) return LogFormat::Adif;
    if (endsWithNoCase(fileName, ".csv")) return LogFormat::Csv;
    head = head.substr(0, kFormatProbeSize);
    return containsNoCase(head, "<EOH>") || containsNoCase(head, "<EOR>") ? LogFormat::Adif : LogFormat::Csv;
}

ReadResult readLog(LogSource& source, LogFormat format, const ContactSink& sink) {
    if (format == LogFormat::Adif) {
        AdifParser parser(sink);
        return readWith(source, parser);
    }
    CsvParser parser(sink);
    return readWith(source, parser);
}

ReadResult readLogChoosingFormat(LogSource& source, std::string_view fileName, const ContactSink& sink,
                                 LogFormat* chosen) {
    std::string head(kFormatProbeSize, '\0');
    size_t got = 0;
    bool readError = false;
    while (got < head.size()) {
        const long long n = source.read(head.data() + got, head.size() - got);
        if (n < 0) readError = true;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    head.resize(got);
    const LogFormat format = chooseLogFormat(fileName, head);
    if (chosen) *chosen = format;
    if (readError) {
        // Read what arrived; the failure is still reported.
        MemorySource partial(head);
        ReadResult result = readLog(partial, format, sink);
        result.readError = true;
        return result;
    }
    HeadSource whole(head, source);
    return readLog(whole, format, sink);
}

std::string foldNumberText(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
        // UTF-8 full width: U+FF10-FF19 EF BC 90-99, U+FF21-FF3A EF BC A1-BA,
        // U+FF41-FF5A EF BD 81-9A.
        if (byte(0) == 0xEF && i + 2 < text.size()) {
            const unsigned char t1 = byte(1), t2 = byte(2);
            char folded = 0;
            if (t1 == 0xBC && t2 >= 0x90 && t2 <= 0x99)
                folded = static_cast<char>('0' + t2 - 0x90);
            else if (t1 == 0xBC && t2 >= 0xA1 && t2 <= 0xBA)
                folded = static_cast<char>('A' + t2 - 0xA1);
            else if (t1 == 0xBD && t2 >= 0x81 && t2 <= 0x9A)
                folded = static_cast<char>('A' + t2 - 0x81);
            if (folded) {
                out += folded;
                i += 2;
                continue;
            }
        }
        // Shift-JIS full width: digits 82 4F-58, A-Z 82 60-79, a-z 82 81-9A.
        if (byte(0) == 0x82 && i + 1 < text.size()) {
            const unsigned char t = byte(1);
            char folded = 0;
            if (t >= 0x4F && t <= 0x58)
                folded = static_cast<char>('0' + t - 0x4F);
            else if (t >= 0x60 && t <= 0x79)
                folded = static_cast<char>('A' + t - 0x60);
            else if (t >= 0x81 && t <= 0x9A)
                folded = static_cast<char>('A' + t - 0x81);
            if (folded) {
                out += folded;
                ++i;
                continue;
            }
        }
        out += upperAscii(text[i]);
    }
    return std::string(trimBlanks(out));
}

std::string bandOfFrequency(std::string_view text) {
    const std::string folded = foldNumberText(text);
    std::string_view digits = folded;
    double scale = 1.0;  // to MHz
    if (!digits.empty() && (digits.back() == 'G' || digits.back() == 'M' || digits.back() == 'K')) {
        scale = digits.back() == 'G' ? 1000.0 : digits.back() == 'K' ? 0.001 : 1.0;
        digits.remove_suffix(1);
    }
    const size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction = point == digits.npos ? std::string_view() : digits.substr(point + 1);
    if ((!whole.empty() && !allDigits(whole)) || (!fraction.empty() && !allDigits(fraction)) ||
        whole.size() + fraction.size() == 0 || whole.size() > 9 || fraction.size() > 9)
        return "";
    std::string decimal = "0";
    decimal.append(whole).append(".").append(fraction).append("0");
    const double mhz = std::stod(decimal) * scale;
    for (const BandRange& range : kAdifBands)
        if (mhz >= range.lowerMhz && mhz <= range.upperMhz) return range.band;
    for (const BandFigure& figure : kHamlogBandFigures)
        if (std::fabs(mhz - figure.mhz) < 1e-9) return figure.band;
    return "";
}

bool isAdifBand(std::string_view name) {
    return std::any_of(std::begin(kAdifBands), std::end(kAdifBands),
                       [&](const BandRange& range) { return equalsIgnoringCase(name, range.band); });
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upperAscii(x) == upperAscii(y); });
}

bool hasJapanesePrefix(std::string_view call) {
    call = trimBlanks(call);
    if (call.size() < 2) return false;
    const char first = upperAscii(call[0]), second = upperAscii(call[1]);
    if (first == 'J') return second >= 'A' && second <= 'S';
    if (first == '7' || first == '8') return second >= 'J' && second <= 'N';
    return false;
}

}  // namespace orvetta
