// The award check on a small made-up number table: which contacts count, for
// what, and the reason of those that do not; then the report tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dict/edition.h"
#include "dict/load.h"
#include "log/award_check.h"
#include "log/award_data_builder.h"
#include "log/award_report.h"
#include "log/award_run.h"
#include "tests/sjis.h"

namespace orvetta {
namespace {

using test::sjis;

NumberFacts facts(const char* number, NumberKind kind, bool current, const char* kanji, const char* romaji = "") {
    NumberFacts f;
    f.number = number;
    f.kind = kind;
    f.current = current;
    f.kanji = sjis(kanji);
    f.romaji = romaji;
    return f;
}

AwardData fakeData() {
    AwardData data;
    auto& n = data.numbers;
    n.push_back(facts("1017", NumberKind::Jcc, false, "保谷市", "Hoya"));
    n.back().lastDay = "2001-01-20";
    n.back().successors = "1030";
    n.push_back(facts("1030", NumberKind::Jcc, true, "西東京市", "Nishitokyo"));
    n.back().firstDay = "2001-01-21";
    n.push_back(facts("1001", NumberKind::Jcc, false, "２３区", "Tokyo 23-wards"));
    n.back().lastDay = "2010-03-31";
    n.push_back(facts("100101", NumberKind::Jcc, true, "千代田区", "Chiyoda"));
    n.push_back(facts("0101", NumberKind::Jcc, true, "札幌市", "Sapporo"));
    n.push_back(facts("010101", NumberKind::Ku, true, "中央区", "Chuo"));
    n.push_back(facts("2501", NumberKind::Jcc, true, "大阪市", "Osaka"));
    n.push_back(facts("250105", NumberKind::Ku, false, "東区", "Higashi"));
    n.back().endsBefore = "1989-02-12";
    n.back().uncertainEnd = true;
    n.push_back(facts("01001", NumberKind::Jcg, true, "釧路郡", "Kushiro"));
    n.push_back(facts("01001A", NumberKind::Town, false, "阿寒町"));
    n.back().endsBefore = "2005-10-11";
    n.push_back(facts("01001B", NumberKind::Town, true, "鶴居村"));
    n.push_back(facts("09013", NumberKind::Jcg, false, "(欠番)", "(Reserved)"));
    data.prefectureKanji[0] = sjis("北海道");
    data.prefectureKanji[9] = sjis("東京都");
    data.prefectureKanji[24] = sjis("大阪府");
    return data;
}

LogContact contact(const char* date, const char* number, const char* call = "JA1ABC") {
    LogContact c;
    c.record = 1;
    c.japanese = true;
    c.call = call;
    c.date = date;
    c.writtenDate = date;
    c.number = number;
    c.band = "40m";
    c.mode = "CW";
    return c;
}

struct CheckCase {
    const char* date;
    const char* number;
    const char* state;
    const char* reason;   // "" when the contact is no problem
    const char* credits;  // "AWARD number" of each credit, by award then number
};

TEST(AwardCheck, ValidityAndCredits) {
    const AwardData data = fakeData();
    const std::vector<CheckCase> cases = {
        {"2001-01-20", "1017", "", "", "JCC 1017, WAJA 10"},  // deleted city on its last day
        {"2001-01-21", "1017", "", "ended", ""},              // and after it
        {"2001-1-20", "1017", "", "ended", ""},               // a day not YYYY-MM-DD compares as text
        {"2001-01-20", "1030", "", "not-yet", ""},            // new city before its first day
        {"2001-01-21", "1030", "", "", "JCC 1030, WAJA 10"},
        {"2010-03-31", "1001", "", "", "JCC 1001, WAJA 10"},  // Tokyo's 23 wards as one city
        {"2010-04-01", "1001", "", "ended", ""},
        {"2010-04-01", "100101", "", "", "JCC 100101, WAJA 10"},
        {"2000-01-01", "010101", "", "", "JCC 0101, KU 010101, WAJA 01"},  // a ward credits its city
        {"1989-02-11", "250105", "", "", "JCC 2501, KU 250105, WAJA 25"},  // before JARL's bound
        {"1989-02-12", "250105", "", "ended", ""},
        {"2005-10-10", "01001A", "", "", "JCG 01001, WAJA 01"},  // a town credits its district
        {"2005-10-11", "01001A", "", "ended", ""},
        {"2005-10-11", "01001B", "", "", "JCG 01001, WAJA 01"},
        {"2005-10-11", "9999", "", "unknown", ""},
        {"2005-10-11", "09013", "", "unknown", ""},                          // reserved: never counted
        {"2005-10-11", "0101", "10", "pref-mismatch", "JCC 0101, WAJA 01"},  // a warning only
        {"2005-10-11", "0101", "1", "", "JCC 0101, WAJA 01"},
        {"", "0101", "", "bad-date", ""},
        {"2005-10-11", "", "", "", ""},  // no number: counted apart
    };
    for (const CheckCase& c : cases) {
        AwardCheck check(data);
        LogContact one = contact(c.date, c.number);
        one.state = c.state;
        check.add(one);
        std::string reasons, credits;
        check.problems().forEach([&](const Problem& p) { reasons += reasonName(p.reason); });
        for (const auto& [key, credit] : check.credits())
            credits += (credits.empty() ? "" : ", ") + std::string(awardName(key.first)) + " " + key.second;
        EXPECT_EQ(reasons, c.reason) << c.number << " on " << c.date;
        EXPECT_EQ(credits, c.credits) << c.number << " on " << c.date;
    }
}

TEST(AwardCheck, TablesOfTwoFiles) {
    const AwardData data = fakeData();
    AwardCheck check(data, {"40M", "cw", ""});
    check.beginFile("a.adi");
    LogContact late = contact("2001-01-20", "1017", "JA1LATE"), early = contact("1999-05-05", "1017", "JA1EARLY"),
               tie = contact("1999-05-05", "1017", "JA1TIE"), other = contact("1999-05-05", "0101");
    tie.confirmed = true;
    tie.time = "12:34";
    other.band = "20m";
    for (const LogContact& c : {late, early, tie, other}) check.add(c);
    check.beginFile("b.csv");
    LogContact ended = contact("2001-02-01", "1017", "JA1END");
    ended.record = 7;
    ended.fromCsv = true;
    LogContact broken;
    broken.record = 8;
    broken.offset = 120;
    broken.fault = RecordFault::TooFewColumns;
    broken.columns = 3;
    check.add(ended);
    check.add(broken);

    EXPECT_EQ(writeSummaryTsv(check), "JCC\t1\t1\t4\nJCG\t0\t0\t1\nKU\t0\t0\t1\nWAJA\t1\t1\t47\n");
    EXPECT_EQ(writeCreditsTsv(check, ReportLanguage::Japanese), "JCC\t1017\t" + sjis("保谷市") +
                                                                    "\t1999-05-05\tJA1EARLY\t1\nWAJA\t10\t" +
                                                                    sjis("東京都") + "\t1999-05-05\tJA1EARLY\t1\n");
    EXPECT_EQ(writeProblemsTsv(check, ReportLanguage::Japanese),
              "b.csv\t7\tJA1END\t2001-02-01\t1017\tended\t" +
                  sjis("1017 保谷市 は 2001-01-20 まで。後継は 1030 西東京市") + "\n" + "b.csv\t8\t\t\t\tbad-record\t" +
                  sjis("列が足りません(3 列、14 列以上が必要)(先頭から 120 バイト)") + "\n");
    // The application names the earliest confirmed contact over the earliest one.
    EXPECT_EQ(writeApplicationTsv(check, true, ReportLanguage::English),
              "JCC\t1017\tHoya\tJA1TIE\t1999-05-05\t12:34\t40m\tCW\t1\n"
              "WAJA\t10\tTokyo\tJA1TIE\t1999-05-05\t12:34\t40m\tCW\t1\n");
    const std::string needed = writeNeededTsv(check, false, ReportLanguage::English);
    EXPECT_EQ(
        needed.substr(0, needed.find("WAJA\t02")),
        "JCC\t0101\tSapporo\nJCC\t100101\tChiyoda\nJCC\t1030\tNishitokyo\nJCC\t2501\tOsaka\nJCG\t01001\tKushiro\nKU\t010101\tChuo\n"
        "WAJA\t01\tHokkaido\n");
    const std::string report = writeReport(check, ReportLanguage::Japanese);
    EXPECT_NE(report.find(sjis("バンド・モードの条件で除いた交信: 1 件")), std::string::npos);
}

TEST(CheckLogFile, OpensJapaneseNamesAndReportsMissingFiles) {
    const AwardData data = fakeData();
    AwardCheck check(data);
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvetta_log_check";
    std::filesystem::create_directories(dir);
    const std::string name = (dir / "交信記録.adi").string();
    std::ofstream(name, std::ios::binary) << "<CALL:6>JA1ABC<QSO_DATE:8>20050102<CNTY:4>1030<EOR>";
    EXPECT_EQ(checkLogFile(check, name, "log"), kLogRead);
    EXPECT_EQ(check.credits().count(CreditKey(Award::Jcc, "1030")), 1u);
    EXPECT_EQ(checkLogFile(check, (dir / "missing.adi").string(), "missing"), kLogCannotOpen);
    std::filesystem::remove_all(dir);
}

// Logs written the way real loggers write them, each run as its users mean
// it: the outcome and the credits it gives ("AWARD number", "+" when
// confirmed).
TEST(AwardRun, ReadsExportsAsTheirUsersMeanThem) {
    // A HAMLOG line of 1017 保谷市 in 2000 with the QSL column given.
    const auto hamlog = [](const std::string& qsl) {
        return "JA1ABC,00/06/01,10:00J,599,599,7,CW,1017,,\"" + qsl + "\",,,,\r\n";
    };
    PlaceList today;
    ASSERT_EQ(loadEditionList(today, kEditionCurrent), decodedSize(kEditionCurrent));
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvetta_award_run";
    std::filesystem::create_directories(dir);
    const struct {
        const char* phrase;
        const char* name;
        std::string log;
        const char* skipVia;
        int status;
        const char* credits;
    } cases[] = {
        {"a prefecture without a number credits WAJA", "lotw.adi",
         "<CALL:6>JA1ABC<QSO_DATE:8>20200101<STATE:2>13<LOTW_QSL_RCVD:1>Y<EOR>", "", kLogRead, "WAJA 13+"},
        {"a Tokyo ward before 2010-04-01 is the one city 1001", "ward.adi",
         "<CALL:6>JA1ABC<QSO_DATE:8>20050101<CNTY:6>100110<EOR><CALL:6>JA1XYZ<QSO_DATE:8>20050202<CNTY:4>1001<EOR>", "",
         kLogRead, "JCC 1001, WAJA 10"},
        {"and from that day the ward itself", "ward.adi",
         "<CALL:6>JA1ABC<QSO_DATE:8>20100401<CNTY:6>100110<QSL_RCVD:1>Y<EOR>", "", kLogRead, "JCC 100110+, WAJA 10+"},
        {"a log without a Japanese contact", "dx.adi", "<CALL:4>W1AW<QSO_DATE:8>20050102<EOR>", "", kRunNoJapanese, ""},
        {"HAMLOG: a mark in the QSL column's third byte is a received card", "hamlog.csv",
         hamlog("J *") + hamlog("JHH") + hamlog("J*E"), "", kLogRead, "JCC 1017+, WAJA 10+"},
        {"HAMLOG: a blank third byte is no card", "hamlog.csv", hamlog("J  ") + hamlog("J* "), "", kLogRead,
         "JCC 1017, WAJA 10"},
        {"HAMLOG: --skip-via leaves out the contacts of its marks, byte for byte", "hamlog.csv",
         hamlog("N *") + hamlog("n  "), "N", kLogRead, "JCC 1017, WAJA 10"},
        {"HAMLOG: a header row above the lines is passed over", "hamlog.csv",
         "Call,Date,Time,His,My,Freq,Mode,Code,GL,QSL,Name,QTH,Rmks1,Rmks2\r\n" + hamlog("J  "), "", kLogRead,
         "JCC 1017, WAJA 10"},
        {"a CSV with other columns is no log", "sheet.csv", "name,value,a,b,c,d,e,f,g,h,i,j,k,l\r\nx,1,,,,,,,,,,,,\r\n",
         "", kLogNotHamlog, ""},
        {"text with no ADIF tag in a .adi file is no log", "junk.adi", "Hello, this is no log.\r\n", "", kLogNotAdif,
         ""},
        {"ADIF: V confirms as Y does", "old.adi", "<CALL:6>JA1ABC<QSO_DATE:8>20050102<CNTY:4>1030<QSL_RCVD:1>V<EOR>",
         "", kLogRead, "JCC 1030+, WAJA 10+"},
        {"ADIF: an eQSL confirms nothing", "eqsl.adi",
         "<CALL:6>JA1ABC<QSO_DATE:8>20050102<CNTY:4>1030<EQSL_QSL_RCVD:1>Y<EOR>", "", kLogRead, "JCC 1030, WAJA 10"},
        {"Ogasawara and Minami-Torishima are Tokyo", "jd1.adi",
         "<CALL:6>JD1AAA<QSO_DATE:8>20050102<DXCC:3>192<CNTY:6>10007A<EOR>"
         "<CALL:6>JD1BBB<QSO_DATE:8>20050102<DXCC:3>177<STATE:2>10<LOTW_QSL_RCVD:1>Y<EOR>",
         "", kLogRead, "JCG 10007, WAJA 10+"},
    };
    for (const auto& c : cases) {
        const std::filesystem::path file = dir / c.name;
        std::ofstream(file, std::ios::binary) << c.log;
        AwardRun run(today, kEditionCurrent, {"", "", c.skipVia});
        EXPECT_EQ(run.readLogs({{file.string(), c.name}}), c.status) << c.phrase;
        std::string credits;
        for (const auto& [key, credit] : run.check().credits())
            credits += (credits.empty() ? "" : ", ") + std::string(awardName(key.first)) + " " + key.second +
                       (credit.confirmed ? "+" : "");
        EXPECT_EQ(credits, c.credits) << c.phrase;
    }
    releaseDictionary(today);
    std::filesystem::remove_all(dir);
}

// The built-in data: JARL's days and status, the history's first days and
// successors, today's names, towns and prefectures.
TEST(AwardDataBuilder, JoinsJarlNumbersHistoryAndTodaysList) {
    selectEdition(kEditionCurrent);
    PlaceList places;
    ASSERT_EQ(loadDictionary(places), decodedDictionarySize());
    const AwardData data = buildAwardData(places, kEditionCurrent);
    releaseDictionary(places);
    const AwardCheck check(data);
    const struct {
        const char* number;
        NumberKind kind;
        bool current;
        const char* lastDay;
        const char* endsBefore;
        const char* firstDay;
        const char* kanji;
        const char* successors;
    } rows[] = {
        {"1017", NumberKind::Jcc, false, "2001-01-20", "", "", "保谷市", "1030"},
        {"4713", NumberKind::Jcc, true, "", "", "2005-04-01", "うるま市", ""},
        {"250105", NumberKind::Ku, false, "", "1989-02-12", "", "東区", ""},  // JARL: "before"
        {"09013", NumberKind::Jcg, false, "", "", "", "(欠番)", ""},          // reserved: no day at all
        {"01001B", NumberKind::Town, true, "", "", "", "鶴居村", ""},
        {"01001A", NumberKind::Town, false, "", "2005-10-11", "", "阿寒町", "0106"},
    };
    for (const auto& row : rows) {
        const NumberFacts* f = check.find(row.number);
        ASSERT_NE(f, nullptr) << row.number;
        EXPECT_EQ(f->kind, row.kind) << row.number;
        EXPECT_EQ(f->current, row.current) << row.number;
        EXPECT_EQ(f->lastDay, row.lastDay) << row.number;
        EXPECT_EQ(f->endsBefore, row.endsBefore) << row.number;
        EXPECT_EQ(f->uncertainEnd, std::string(row.number) == "250105") << row.number;
        EXPECT_EQ(f->firstDay, row.firstDay) << row.number;
        EXPECT_EQ(f->kanji, sjis(row.kanji)) << row.number;
        EXPECT_EQ(f->successors, row.successors) << row.number;
    }
    EXPECT_EQ(data.prefectureKanji[9], sjis("東京都"));
    EXPECT_EQ(check.currentTotal(Award::Jcc), 815);
}

}  // namespace
}  // namespace orvetta
