// Reading ham logs: ADIF and HAMLOG CSV records, faults and resynchronising,
// each log also fed in pieces so that tags, values and lines straddle refills.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "log/log_reader.h"
#include "tests/sjis.h"

namespace orvetta {
namespace {

using test::sjis;

// One line per record: "record @offset fFault J|call|date|number|band|mode|state|Y",
// with "-" for a contact that is not Japanese and for one not confirmed, and
// "|time|via" after it where the log has either.
std::string describe(const LogContact& c) {
    std::string line = std::to_string(c.record) + " @" + std::to_string(c.offset) + " f" +
                       std::to_string(static_cast<int>(c.fault)) + (c.japanese ? " J|" : " -|") + c.call + "|" +
                       c.date + "|" + c.number + "|" + c.band + "|" + c.mode + "|" + c.state +
                       (c.confirmed ? "|Y" : "|-");
    if (!c.time.empty() || c.via) line += "|" + c.time + "|" + (c.via ? std::string(1, c.via) : "");
    return line;
}

// `head`, then `commas` commas, then `tail`, made as it is read, so a line of
// 2^31 commas costs no memory.
class CommaSource : public LogSource {
public:
    CommaSource(std::string head, uint64_t commas, std::string tail)
        : text_(std::move(head)), commas_(commas), tail_(std::move(tail)) {}
    long long read(char* buffer, size_t size) override {
        size_t n = 0;
        if (at_ < text_.size()) {
            n = std::min(size, text_.size() - at_);
            std::memcpy(buffer, text_.data() + at_, n);
            at_ += n;
        } else if (commas_ > 0) {
            n = static_cast<size_t>(std::min<uint64_t>(size, commas_));
            std::memset(buffer, ',', n);
            commas_ -= n;
            if (commas_ == 0) text_ = tail_, at_ = 0;
        }
        return static_cast<long long>(n);
    }

private:
    std::string text_;  // the bytes being served: the head, then the tail
    uint64_t commas_;
    std::string tail_;
    size_t at_ = 0;
};

// The outcome of a read, as the log check is to take it.
std::string outcomeOf(const ReadResult& r, long readable) {
    if (r.utf16) return "utf16";
    if (r.notHamlog) return "not-hamlog";
    if (r.notAdif) return "not-adif";
    return r.records > 0 && readable == 0 ? "not-a-log" : "read";
}

struct Read {
    std::vector<std::string> records;
    std::string outcome;
};

// Reads with the format given, or chosen by the name "log.adi" or "log.csv"
// (which reads the head in one piece).
Read readAll(LogSource& source, LogFormat format, bool choose) {
    Read read;
    long readable = 0;
    const ContactSink sink = [&](const LogContact& c) {
        read.records.push_back(describe(c));
        readable += c.fault == RecordFault::None;
    };
    const ReadResult r = choose ? readLogChoosingFormat(source, format == LogFormat::Adif ? "log.adi" : "log.csv", sink)
                                : readLog(source, format, sink);
    read.outcome = outcomeOf(r, readable);
    return read;
}

struct ReadCase {
    const char* phrase;
    LogFormat format;
    std::string bytes;
    std::vector<std::string> records;
    const char* outcome = "read";
    uint64_t commas = 0;  // bytes are head and tail: this many commas come between them, after the first "|"
};

TEST(ReadLog, RecordsFaultsAndResynchronising) {
    const std::string fullWidthSjis = sjis("ＪＡ,１０１７");
    const std::string fullWidthUtf8 =
        "\xef\xbc\x90\xef\xbc\x91\xef\xbc\x90\xef\xbc\x90\xef\xbc\x91\xef\xbd\x82";  // ０１００１ｂ
    const std::string name = sjis("山田ソ<EOR>");  // ソ ends in 0x5C; the value holds "<EOR>"
    const std::string good = "<CALL:6>JA1AAA<EOR>", missing = sjis("〓");
    const std::string hamlog = "JA1ABC,05/01/02,10:00J,599,599,7,CW,1017,,J *,,,,";
    const std::string hamlogRead = "J|JA1ABC|2005-01-02|1017|40m|CW||Y|10:00|J";
    const auto qsl = [](const std::string& column) {
        return "JA1ABC,05/01/02,10:00J,599,599,7,CW,1017,,\"" + column + "\",,,,\r\n";
    };
    const std::vector<ReadCase> cases = {
        {"ADIF with a header",
         LogFormat::Adif,
         "Made by hand <ADIF_VER:5>3.1.0 <EOH>\n<CALL:6>JA1ABC<QSO_DATE:8>20050102<CNTY:4>1017<BAND:3>40M"
         "<MODE:2>CW<STATE:2>10<QSL_RCVD:1>Y<EOR>\n",
         {"1 @37 f0 J|JA1ABC|2005-01-02|1017|40m|CW|10|Y"}},
        {"names in any case, types, odd spacing, full-width numbers",
         LogFormat::Adif,
         "<call:6:s>ja1abc  <Qso_Date:8:D>20050102\n<cnty:" + std::to_string(fullWidthSjis.size()) + ">" +
             fullWidthSjis +
             " <lotw_qsl_rcvd:1>y<eor>"
             "<CALL:6>JA1XYZ<QSO_DATE:8>20050102<CNTY:18>" +
             fullWidthUtf8 + "<FREQ:5>7.025<EoR>",
         {"1 @0 f0 J|ja1abc|2005-01-02|1017||||Y", "2 @87 f0 J|JA1XYZ|2005-01-02|01001B|40m|||-"}},
        {"a tag of the longest text allowed",
         LogFormat::Adif,
         "<CALL:6:" + std::string(73, 'S') + ">JA1ABC<EOR>",
         {"1 @0 f0 J|JA1ABC||||||-"}},
        {"a name's bytes next to the letters fold to nothing kept",
         LogFormat::Adif,
         "<QSO\x7f"
         "DATE:8>20050102<`ALL:6>JA1XYZ<CALL:6>JA1ABC<EOR>",
         {"1 @0 f0 J|JA1ABC||||||-"}},
        {"DXCC decides; without it the call prefix",
         LogFormat::Adif,
         "<CALL:6>JA1ABC<DXCC:3>291<EOR><CALL:6>KH0ABC<DXCC:3>339<EOR><CALL:6>7K1ABC<EOR><CALL:5>K1ABC<EOR>",
         {"1 @0 f0 -|JA1ABC||||||-", "2 @30 f0 J|KH0ABC||||||-", "3 @60 f0 J|7K1ABC||||||-",
          "4 @79 f0 -|K1ABC||||||-"}},
        {"values are counted bytes, whatever they hold",
         LogFormat::Adif,
         "<NAME:" + std::to_string(name.size()) + ">" + name + "<CALL:6>JA1ABC<EOR>",
         {"1 @0 f0 J|JA1ABC||||||-"}},
        {"a length past the end",
         LogFormat::Adif,
         "<CALL:6>JA1ABC<QSO_DATE:8>2005",
         {"1 @14 f1 J|JA1ABC||||||-"},
         "not-a-log"},
        {"a length that is no number, then the next record",
         LogFormat::Adif,
         "<CALL:6>JA1AAA<QSO_DATE:x>20050102<EOR><CALL:6>JA1BBB<EOR>",
         {"1 @14 f2 J|JA1AAA||||||-", "2 @39 f0 J|JA1BBB||||||-"}},
        {"a record the file cuts off; an impossible date",
         LogFormat::Adif,
         "<CALL:6>JA1AAA<QSO_DATE:8>20050230<EOR>\r\n<CALL:6>JA1BBB",
         {"1 @0 f0 J|JA1AAA||||||-", "2 @41 f3 J|JA1BBB||||||-"}},
        {"HAMLOG CSV, quoted, CR LF",
         LogFormat::Csv,
         "\"JA1ABC\",\"05/01/02\",\"10:00J\",\"599\",\"599\",\"7\",\"CW\",\"1017\",\"\",\"J\",\"a,b\"\"c\",\"\",\"\",\"\"\r\n",
         {"1 @0 f0 J|JA1ABC|2005-01-02|1017|40m|CW||-|10:00|J"}},
        {"bare fields, LF, 50-99 are 19xx, full-width code, DX codes skipped",
         LogFormat::Csv,
         "JA1ABC,99/12/31,10:00U,59,59,1200,SSB," + sjis("０１００１ａ") +
             ",,,,,,\n"
             "\nW1AW,05/01/02,10:00U,59,59,10G,CW,123A,,,,,,\n",
         {"1 @0 f0 J|JA1ABC|1999-12-31|01001A|23cm|SSB||-|10:00|", "3 @58 f0 -|W1AW|2005-01-02|123A|3cm|CW||-|10:00|"}},
        {"too few columns, an open quote, then good lines",
         LogFormat::Csv,
         "JA1ABC,05/01/02,x\n\"JA1DEF,05/01/02\nJA1XYZ,05/02/30,,,,14,CW,,,,,,,\n",
         {"1 @0 f4 J|JA1ABC|2005-01-02|||||-", "2 @18 f5 J|JA1DEF,05/01/02||||||-", "3 @35 f0 J|JA1XYZ|||20m|CW||-"}},
        // Damaged logs: each bad record is reported once, the rest read as written.
        {"11 length digits in a middle record",
         LogFormat::Adif,
         good + "<CALL:99999999999>JA1X<QSO_DATE:8>20050102<EOR>" + good,
         {"1 @0 f0 J|JA1AAA||||||-", "2 @19 f6 -|||||||-", "3 @66 f0 J|JA1AAA||||||-"}},
        {"the same after a newline",
         LogFormat::Adif,
         "\n" + good + "<CALL:99999999999>JA1X<EOR>" + good,
         {"1 @1 f0 J|JA1AAA||||||-", "2 @20 f6 -|||||||-", "3 @47 f0 J|JA1AAA||||||-"}},
        {"the same after a byte order mark",
         LogFormat::Adif,
         "\xef\xbb\xbf<CALL:99999999999>JA1X<EOR>" + good,
         {"1 @3 f6 -|||||||-", "2 @30 f0 J|JA1AAA||||||-"}},
        {"11 length digits in a header field",
         LogFormat::Adif,
         "by hand <PROGRAMID:99999999999>X <EOH>\n" + good + good,
         {"1 @39 f0 J|JA1AAA||||||-", "2 @58 f0 J|JA1AAA||||||-"}},
        {"a length past the <EOR> does not merge the next record",
         LogFormat::Adif,
         "<CALL:6>JA1AAA<CNTY:4>0101<COMMENT:11>x<EOR><CALL:6>JA1BBB<CNTY:4>0102<EOR>",
         {"1 @26 f6 J|JA1AAA||0101||||-", "2 @44 f0 J|JA1BBB||0102||||-"}},
        {"a bad length after a newline is counted",
         LogFormat::Adif,
         "\n<CALL:x>JA1AAA<EOR>" + good,
         {"1 @1 f2 -|||||||-", "2 @20 f0 J|JA1AAA||||||-"}},
        {"a bad length in text that proves to be no header",
         LogFormat::Adif,
         "by hand <CALL:x>JA1AAA<EOR>" + good,
         {"1 @8 f2 -|||||||-", "2 @27 f0 J|JA1AAA||||||-"}},
        {"a length too large for 64 bits, never wrapped",
         LogFormat::Adif,
         "<CALL:18446744073709551622>JA1AAA<EOR>" + good,
         {"1 @0 f2 -|||||||-", "2 @38 f0 J|JA1AAA||||||-"}},
        {"UTF-16 text", LogFormat::Adif, std::string("\xff\xfe<\0C\0A\0L\0L\0", 12), {}, "utf16"},
        {"control characters never reach an output; bad bytes become a mark",
         LogFormat::Adif,
         std::string("<CALL:14>JA1\x1b[2J\0\v\f\x7f"
                     "AB\x9b<MODE:3>C\xc2\x9b<EOR>",
                     39),
         {"1 @0 f0 J|JA1[2JAB" + missing + "||||C" + missing + "||-"}},
        {"UTF-8 values become Shift-JIS; a character without a Shift-JIS form becomes a mark",
         LogFormat::Adif,
         "<CALL:6>JA1\xe5\xb1\xb1<MODE:4>\xf0\x9f\x98\x80<EOR>",
         {"1 @0 f0 J|JA1" + sjis("山") + "||||" + missing + "||-"}},
        {"a Shift-JIS code is folded by whole characters",
         LogFormat::Adif,
         "<CALL:6>JA1AAA<CNTY:4>\x83\x82\x82\x50<EOR>",
         {"1 @0 f0 J|JA1AAA||" + sjis("モ") + "1||||-"}},
        {"a lone CR ends a CSV line",
         LogFormat::Csv,
         hamlog + "\r" + hamlog + "\r\r\n" + hamlog,
         {"1 @0 f0 " + hamlogRead, "2 @" + std::to_string(hamlog.size() + 1) + " f0 " + hamlogRead,
          "4 @" + std::to_string(2 * hamlog.size() + 4) + " f0 " + hamlogRead}},
        {"2^31 commas, then X: one malformed line",
         LogFormat::Csv,
         hamlog + "\n|X",
         {"1 @0 f0 " + hamlogRead, "2 @" + std::to_string(hamlog.size() + 1) + " f7 -|||||||-"},
         "read",
         1ull << 31},
        {"2^31 commas, then CR LF: the true count",
         LogFormat::Csv,
         hamlog + "\n|\r\n" + hamlog,
         {"1 @0 f0 " + hamlogRead, "2 @" + std::to_string(hamlog.size() + 1) + " f7 -|||||||-",
          "3 @" + std::to_string(hamlog.size() + 3 + (1ull << 31)) + " f0 " + hamlogRead},
         "read",
         1ull << 31},
        {"blanks before a mark's \">\" still end the record, after a fault too",
         LogFormat::Adif,
         "<CALL:6>JA1AAA<EOR ><CALL:x>JA1XXX<eor\t>" + good,
         {"1 @0 f0 J|JA1AAA||||||-", "2 @20 f2 -|||||||-", "3 @40 f0 J|JA1AAA||||||-"}},
        {"a byte order mark before a CSV is passed over; its values are UTF-8",
         LogFormat::Csv,
         "\xef\xbb\xbfJA1ABC,05/01/02,10:00J,599,599,7,CW,\xef\xbc\x91\xef\xbc\x90\xef\xbc\x91\xef\xbc\x97,,J *,,,,",
         {"1 @3 f0 " + hamlogRead}},
        {"a tag's text of 80 bytes is a tag, of 81 is text, wherever the pieces end",
         LogFormat::Adif,
         "<CALL:6>JA1AAA<" + std::string(77, 'X') + ":14><CALL:6>JA1BBB<EOR><CALL:6>JA1CCC<" + std::string(78, 'X') +
             ":14><CALL:6>JA1BBB<EOR>",
         {"1 @0 f0 J|JA1AAA||||||-", "2 @115 f0 J|JA1BBB||||||-"}},
        {"NUL bytes and markup with no field, <EOH> or <EOR> are no ADIF",
         LogFormat::Adif,
         std::string(4, '\0') + "<html><p>x</p>",
         {},
         "not-adif"},
        // What real exports mean.
        {"HAMLOG's QSL column: a mark in the third byte is a received card",
         LogFormat::Csv,
         qsl("J *") + qsl("JHH") + qsl("J*E") + qsl("J  ") + qsl("J* ") + qsl(" "),
         {"1 @0 f0 J|JA1ABC|2005-01-02|1017|40m|CW||Y|10:00|J", "2 @53 f0 J|JA1ABC|2005-01-02|1017|40m|CW||Y|10:00|J",
          "3 @106 f0 J|JA1ABC|2005-01-02|1017|40m|CW||Y|10:00|J",
          "4 @159 f0 J|JA1ABC|2005-01-02|1017|40m|CW||-|10:00|J",
          "5 @212 f0 J|JA1ABC|2005-01-02|1017|40m|CW||-|10:00|J",
          "6 @265 f0 J|JA1ABC|2005-01-02|1017|40m|CW||-|10:00|"}},
        {"a header row above HAMLOG lines is passed over; one bad line is still read",
         LogFormat::Csv,
         "Call,Date,Time,His,My,Freq,Mode,Code,GL,QSL,Name,QTH,Rmks1,Rmks2\n" + hamlog +
             "\nJA1X,2005-01-02,,,,,,,,,,,,\n",
         {"2 @65 f0 " + hamlogRead, "3 @115 f7 J|JA1X||||||-"}},
        {"a CSV with other columns and no HAMLOG date is no log",
         LogFormat::Csv,
         "name,value,note,a,b,c,d,e,f,g,h,i,j,k\nx,1,,,,,,,,,,,,\ny,2,,,,,,,,,,,,\n",
         {"2 @38 f7 -|x||||||-", "3 @54 f7 -|y||||||-"},
         "not-hamlog"},
        {"ADIF: V confirms as Y does, eQSL does not; TIME_ON; Japan's other DXCC entities",
         LogFormat::Adif,
         "<CALL:6>JA1AAA<TIME_ON:6>093015<QSL_RCVD:1>V<EOR><CALL:6>JA1BBB<TIME_ON:4>2359<LOTW_QSL_RCVD:1>v<EOR>"
         "<CALL:6>JD1CCC<EQSL_QSL_RCVD:1>Y<DXCC:3>192<EOR><CALL:6>JD1DDD<DXCC:3>177<TIME_ON:4>2460<EOR>",
         {"1 @0 f0 J|JA1AAA||||||Y|09:30|", "2 @49 f0 J|JA1BBB||||||Y|23:59|", "3 @101 f0 J|JD1CCC||||||-",
          "4 @149 f0 J|JD1DDD||||||-"}},
    };
    for (const ReadCase& c : cases) {
        if (c.commas > 0) {
            const size_t bar = c.bytes.find('|');
            CommaSource source(c.bytes.substr(0, bar), c.commas, c.bytes.substr(bar + 1));
            const Read read = readAll(source, c.format, false);
            EXPECT_EQ(read.records, c.records) << c.phrase;
            EXPECT_EQ(read.outcome, c.outcome) << c.phrase;
            continue;
        }
        for (size_t chunk : {size_t(1), size_t(3), size_t(7), c.bytes.size()}) {
            if (std::string_view(c.outcome) == "utf16" && chunk != c.bytes.size()) continue;  // a choice of format
            MemorySource source(c.bytes, chunk);
            const Read read = readAll(source, c.format, chunk == c.bytes.size());
            EXPECT_EQ(read.records, c.records) << c.phrase << ", pieces of " << chunk;
            EXPECT_EQ(read.outcome, c.outcome) << c.phrase << ", pieces of " << chunk;
        }
    }
}

TEST(ReadLog, ReportsAFailingSource) {
    class Failing : public LogSource {
    public:
        long long read(char* buffer, size_t) override {
            if (calls_++ > 0) return -1;
            buffer[0] = '<';
            return 1;
        }

    private:
        int calls_ = 0;
    } source;
    EXPECT_TRUE(readLog(source, LogFormat::Adif, [](const LogContact&) {}).readError);
}

TEST(ChooseLogFormat, ByNameThenByTheFirst64KiB) {
    const std::string late = std::string(kFormatProbeSize, ',') + "<EOR>";
    EXPECT_EQ(chooseLogFormat("log.ADI", ""), LogFormat::Adif);
    EXPECT_EQ(chooseLogFormat("log.adif", "a,b"), LogFormat::Adif);
    EXPECT_EQ(chooseLogFormat("log.Csv", "<EOR>"), LogFormat::Csv);
    EXPECT_EQ(chooseLogFormat("log.txt", "x <eoh>"), LogFormat::Adif);
    EXPECT_EQ(chooseLogFormat("log", "a,b"), LogFormat::Csv);
    EXPECT_EQ(chooseLogFormat("log", late), LogFormat::Csv);
}

TEST(BandOfFrequency, AdifRangesAndHamlogFigures) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1.9", "160m"}, {"3.5", "80m"},      {"7", "40m"},     {"10", "30m"},    {"14.074", "20m"},
        {"18", "17m"},   {"21", "15m"},       {"24", "12m"},    {"28", "10m"},    {"50", "6m"},
        {"144", "2m"},   {"430", "70cm"},     {"1200", "23cm"}, {"2400", "13cm"}, {"5600", "6cm"},
        {"10G", "3cm"},  {sjis("７"), "40m"}, {"6.5", ""},      {"abc", ""},      {"", ""}};
    for (const auto& [text, band] : cases) EXPECT_EQ(bandOfFrequency(text), band) << text;
}

}  // namespace
}  // namespace orvetta
