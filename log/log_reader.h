// Streaming readers of ham logs: ADIF (.adi) and the CSV export of HAMLOG.
//
// Each reader pulls bytes from a LogSource through one fixed buffer and hands
// every record to a sink as soon as it ends, so memory does not grow with the
// log. The fields the award check needs come out normalised: a date as
// "YYYY-MM-DD", the number with full-width digits and letters folded to ASCII,
// the band as an ADIF band name. Every text comes out as Shift-JIS safe to
// show (see safeFieldText): HAMLOG files are Shift-JIS, and an ADIF value is
// Shift-JIS or UTF-8.
//
// adif_reader.cpp and csv_reader.cpp hold the two readers, log_fields.h their
// field helpers; log_reader.cpp chooses the format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "log/log_fields.h"
#include "log/log_source.h"

namespace orvetta {

enum class LogFormat { Adif, Csv };

// Bytes of a file's head that choosing its format looks at.
constexpr size_t kFormatProbeSize = 64 * 1024;
// The readers' buffer.
constexpr size_t kLogBufferSize = 64 * 1024;

// ".adi" and ".adif" are ADIF and ".csv" is CSV, in any case; any other file
// is ADIF when "<EOH>" or "<EOR>" (any case) stands in `head`, its first
// kFormatProbeSize bytes, and CSV otherwise.
LogFormat chooseLogFormat(std::string_view fileName, std::string_view head);

// Why a record could not be read. The reader goes on with the next record:
// in ADIF after the next <EOR>, in CSV on the next line.
enum class RecordFault {
    None,
    LengthPastEnd,     // ADIF: a field's length runs past the end of the file
    BadLength,         // ADIF: a field's length is not a decimal number that fits
    NotEnded,          // ADIF: the file ends inside a record (no <EOR>)
    TooFewColumns,     // CSV: fewer than 14 columns (`columns` says how many)
    QuoteNotClosed,    // CSV: the line ends inside a quoted field
    LengthPastRecord,  // ADIF: a field's length runs past the record's <EOR>
    NoHamlogDate,      // CSV: the second column holds no date of the form yy/mm/dd
};

// One record of a log. A record with a fault carries what was read of it.
struct LogContact {
    long record = 0;      // 1-based in its file: ADIF records in order, CSV lines
    uint64_t offset = 0;  // byte offset of the record, or of the fault in it
    RecordFault fault = RecordFault::None;
    int columns = 0;  // CSV: columns of the line (counted in 64 bits; more than INT_MAX shows as INT_MAX)
    bool fromCsv = false;
    bool japanese = false;  // a contact with a Japanese station
    std::string call;
    std::string date;         // "YYYY-MM-DD" as written in the log, "" when impossible or absent
    std::string writtenDate;  // the date field as it stands, for messages
    std::string number;       // JCC/JCG/ward/town number, folded; "" when none
    std::string band;         // ADIF band name in lower case ("40m"), "" when unknown
    std::string mode;
    std::string state;       // ADIF STATE: the prefecture the logger gives
    bool confirmed = false;  // QSL card or LoTW confirmation received
    std::string time;        // "HH:MM" as written: ADIF TIME_ON, HAMLOG's time without its J/U letter; "" when none
    char via = 0;            // HAMLOG: first byte of the QSL column (how the card goes); 0 when none or not HAMLOG
};

using ContactSink = std::function<void(const LogContact&)>;

struct ReadResult {
    long records = 0;        // records handed to the sink
    bool readError = false;  // the source failed; what came before was read
    bool utf16 = false;      // the file is UTF-16 text: nothing was read (readLogChoosingFormat)
    bool notHamlog = false;  // CSV: lines, but not one with a HAMLOG date in its second column
};

// Reads the whole of `source` in `format` and hands each record to `sink`.
ReadResult readLog(LogSource& source, LogFormat format, const ContactSink& sink);

// The same with the format chosen from the file name and the first bytes. A
// file that begins with a UTF-16 byte order mark, or with ASCII characters
// each followed by a NUL byte, is UTF-16 text, which neither format is:
// nothing is read and `utf16` is set.
ReadResult readLogChoosingFormat(LogSource& source, std::string_view fileName, const ContactSink& sink,
                                 LogFormat* chosen = nullptr);

}  // namespace orvetta
