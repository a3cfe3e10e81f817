// Reading ham logs: ADIF and HAMLOG CSV records, faults and resynchronising,
// each log also fed in pieces so that tags, values and lines straddle refills.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/log_reader.h"
#include "tests/sjis.h"

namespace orvetta {
namespace {

using test::sjis;

// One line per record: "record @offset fFault J|call|date|number|band|mode|state|Y",
// with "-" for a contact that is not Japanese and for one not confirmed.
std::string describe(const LogContact& c) {
    return std::to_string(c.record) + " @" + std::to_string(c.offset) + " f" +
           std::to_string(static_cast<int>(c.fault)) + (c.japanese ? " J|" : " -|") + c.call + "|" + c.date + "|" +
           c.number + "|" + c.band + "|" + c.mode + "|" + c.state + (c.confirmed ? "|Y" : "|-");
}

std::vector<std::string> readAll(const std::string& bytes, LogFormat format, size_t chunk) {
    std::vector<std::string> lines;
    MemorySource source(bytes, chunk);
    readLog(source, format, [&](const LogContact& c) { lines.push_back(describe(c)); });
    return lines;
}

struct ReadCase {
    const char* phrase;
    LogFormat format;
    std::string bytes;
    std::vector<std::string> records;
};

TEST(ReadLog, RecordsFaultsAndResynchronising) {
    const std::string fullWidthSjis = sjis("ＪＡ,１０１７");
    const std::string fullWidthUtf8 =
        "\xef\xbc\x90\xef\xbc\x91\xef\xbc\x90\xef\xbc\x90\xef\xbc\x91\xef\xbd\x82";  // ０１００１ｂ
    const std::string name = sjis("山田ソ<EOR>");  // ソ ends in 0x5C; the value holds "<EOR>"
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
        {"DXCC decides; without it the call prefix",
         LogFormat::Adif,
         "<CALL:6>JA1ABC<DXCC:3>291<EOR><CALL:6>KH0ABC<DXCC:3>339<EOR><CALL:6>7K1ABC<EOR><CALL:5>K1ABC<EOR>",
         {"1 @0 f0 -|JA1ABC||||||-", "2 @30 f0 J|KH0ABC||||||-", "3 @60 f0 J|7K1ABC||||||-",
          "4 @79 f0 -|K1ABC||||||-"}},
        {"values are counted bytes, whatever they hold",
         LogFormat::Adif,
         "<NAME:" + std::to_string(name.size()) + ">" + name + "<CALL:6>JA1ABC<EOR>",
         {"1 @0 f0 J|JA1ABC||||||-"}},
        {"a length past the end", LogFormat::Adif, "<CALL:6>JA1ABC<QSO_DATE:8>2005", {"1 @14 f1 J|JA1ABC||||||-"}},
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
         {"1 @0 f0 J|JA1ABC|2005-01-02|1017|40m|CW||-"}},
        {"bare fields, LF, 50-99 are 19xx, full-width code, DX codes skipped",
         LogFormat::Csv,
         "JA1ABC,99/12/31,10:00U,59,59,1200,SSB," + sjis("０１００１ａ") +
             ",,,,,,\n"
             "\nW1AW,05/01/02,10:00U,59,59,10G,CW,123A,,,,,,\n",
         {"1 @0 f0 J|JA1ABC|1999-12-31|01001A|23cm|SSB||-", "3 @58 f0 -|W1AW|2005-01-02|123A|3cm|CW||-"}},
        {"too few columns, an open quote, then good lines",
         LogFormat::Csv,
         "JA1ABC,05/01/02,x\n\"JA1DEF,05/01/02\nJA1XYZ,05/02/30,,,,14,CW,,,,,,,\n",
         {"1 @0 f4 J|JA1ABC|2005-01-02|||||-", "2 @18 f5 J|JA1DEF,05/01/02||||||-", "3 @35 f0 J|JA1XYZ|||20m|CW||-"}},
    };
    for (const ReadCase& c : cases) {
        for (size_t chunk : {size_t(1), size_t(3), size_t(7), c.bytes.size()}) {
            EXPECT_EQ(readAll(c.bytes, c.format, chunk), c.records) << c.phrase << ", pieces of " << chunk;
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
