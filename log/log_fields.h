// Field helpers of the log readers: trimming, decimal numbers, dates and
// times, bands, numbers, the Japanese prefix, and making a value safe to show.
// The ADIF and the CSV reader share them; the award check and the command
// line use the band and prefix rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace orvetta {

// Longest value kept of a field the award check uses; longer ones are cut.
constexpr size_t kFieldLimit = 64;

constexpr char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Blanks (space, tab) around `text` removed.
inline std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}
bool allDigits(std::string_view text);
// ASCII letters compared without case, every other byte as it is.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (upperAscii(a[k]) != upperAscii(b[k])) return false;
    return true;
}

// A field's bytes as read, the first kFieldLimit of them, in fixed storage:
// reading a record allocates nothing.
class FieldText {
public:
    void clear() { size_ = 0; }
    void append(const char* bytes, size_t count) {
        if (count > kFieldLimit - size_) count = kFieldLimit - size_;
        for (size_t k = 0; k < count; ++k) bytes_[size_ + k] = bytes[k];  // short: a call costs more
        size_ += count;
    }
    std::string_view view() const { return {bytes_, size_}; }
    operator std::string_view() const { return view(); }

private:
    char bytes_[kFieldLimit];
    size_t size_ = 0;
};

// The value of a string of decimal digits; false when it is empty, holds
// anything but digits or does not fit in 64 bits.
bool decimalValue(std::string_view digits, uint64_t& value);

// The last day a reader looked up: a log's contacts come in runs of one day,
// so each run asks the calendar once.
struct DayMemo {
    uint64_t day = UINT64_MAX;  // YYYYMMDD as a number
    std::string text;           // its "YYYY-MM-DD", "" when no such day exists
};

// ADIF QSO_DATE (YYYYMMDD) as "YYYY-MM-DD"; "" when it names no day.
std::string adifDate(std::string_view text, DayMemo* memo = nullptr);
// A HAMLOG date: true when `text` has its form, yy/mm/dd (one- or two-digit
// month and day; a four-digit year is taken too), and then `day` is it as
// "YYYY-MM-DD" (50-99 are 1950-1999, 00-49 2000-2049), or "" when no such
// day exists.
bool readHamlogDate(std::string_view text, std::string& day, DayMemo* memo = nullptr);
// "HH:MM" of ADIF TIME_ON (HHMM or HHMMSS); "" for anything else.
std::string adifTime(std::string_view text);
// "HH:MM" of HAMLOG's time ("10:00J", "10:00U"), its zone letter dropped;
// "" for anything else.
std::string hamlogTime(std::string_view text);

// Full-width digits and Latin letters (Shift-JIS) to ASCII, letters
// upper-cased, blanks around trimmed; other characters kept whole.
std::string foldNumberText(std::string_view text);
// The ADIF band name of a frequency in MHz as HAMLOG writes it ("7",
// "1.9", "430", "10G"); "" when it names no band.
std::string bandOfFrequency(std::string_view text);
// bandOfFrequency of the frequencies a log writes, remembered: a log uses a
// few figures again and again.
class BandCache {
public:
    const std::string& bandOf(std::string_view text);

private:
    struct Entry {
        std::string text, band;
    };
    static constexpr size_t kEntries = 16;
    Entry entries_[kEntries];
    size_t size_ = 0;  // entries in use
    size_t next_ = 0;  // the entry to replace next once all are in use
};
// True for an ADIF band name ("40m", "70CM"), in any case.
bool isAdifBand(std::string_view name);
// True for a call that begins with a Japanese prefix: JA-JS, 7J-7N, 8J-8N.
bool hasJapanesePrefix(std::string_view call);

// What stands for a character that cannot be shown: 〓 (U+3013, the geta
// mark, Japanese type's mark of a missing character), in Shift-JIS.
constexpr std::string_view kMissingCharacter = "\x81\xac";  // 〓

// A field's value, trimmed, as Shift-JIS that is safe in every output. With
// `mayBeUtf8` (ADIF, whose text is Shift-JIS or UTF-8), a value that is
// well-formed UTF-8 holding a non-ASCII character is converted to Shift-JIS,
// each character without a Shift-JIS form becoming kMissingCharacter. Then
// control characters (C0 and DEL) are dropped, so no escape sequence or line
// break reaches a report, a table or a terminal, and each byte that starts
// no whole Shift-JIS character (raw C1 bytes among them) becomes
// kMissingCharacter. The result, cut to kFieldLimit bytes at a character's
// end, replaces `out` (whose storage is reused).
void safeFieldText(std::string_view value, bool mayBeUtf8, std::string& out);

}  // namespace orvetta
