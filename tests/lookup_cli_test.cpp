// orvetta-lookup end to end: the built program run in a fresh directory.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/sjis.h"

namespace {

namespace fs = std::filesystem;
using orvetta::test::sjis;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Each test gets an empty working directory; velkarad.txt is written on demand.
// One command line, its status, and its exact output or a line the output holds.
struct DatedCase {
    std::vector<std::string> args;
    int status;
    std::string out;  // exact standard output, or a line it must hold when `within`
    bool within;
};

std::string traceOf(const std::vector<std::string>& args) {
    std::string trace;
    for (const std::string& a : args) trace += a + " ";
    return trace;
}

class LookupCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("orvetta-lookup-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void writeUpdateFile(const std::string& bytes) { writeFile("velkarad.txt", bytes); }
    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    // Standard output goes to `out` (a file of the working directory unless
    // given as a path).
    Outcome run(const std::vector<std::string>& args, const std::string& out = "out.txt") {
        std::string command = "cd " + quote(dir_.string()) + " && " + quote(ORVETTA_LOOKUP);
        for (const std::string& arg : args) command += " " + quote(arg);
        command += " >" + quote(out) + " 2>err.txt";
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir_ / "out.txt"), readFile(dir_ / "err.txt")};
    }

    Outcome expectCase(const DatedCase& c) {
        Outcome r = run(c.args);
        const std::string trace = traceOf(c.args);
        EXPECT_EQ(r.status, c.status) << trace << r.err;
        if (c.within) {
            EXPECT_NE(r.out.find(c.out), std::string::npos) << trace << r.out;
        } else {
            EXPECT_EQ(r.out, c.out) << trace;
        }
        return r;
    }

    fs::path dir_;
};

// Without an update file the command line says nothing of it.
const std::string kMissingMessage = "";

int lineCount(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

TEST_F(LookupCli, PrintsEachAppendedLineInUtf8) {
    Outcome r = run({"--reading", "city", "さっぽろ"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0101\t北海道札幌市(さっぽろし)\n01029\t北海道札幌郡(さっぽろぐん)【旧】\n");
    EXPECT_EQ(r.err, kMissingMessage);

    r = run({"ward", "北区"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lineCount(r.out), 9);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "010102\t北海道札幌市(さっぽろし)北区(きたく)");

    r = run({"number", "01001a"});
    EXPECT_EQ(r.out, "01001A\t北海道阿寒郡(あかんぐん)阿寒町(あかんちょう)\n");
}

TEST_F(LookupCli, ScopeOptionsActLikeTheChoices) {
    Outcome r = run({"--pref", "10", "number", "0101"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, kMissingMessage + "合致する地名がありません\n");

    r = run({"ward", "北区", "--area", "3"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lineCount(r.out), 3);

    r = run({"--pref", "28", "city", ""});  // empty text: every city and district
    EXPECT_EQ(r.status, 0);
    EXPECT_GT(lineCount(r.out), 0);
    EXPECT_EQ(r.out.find("\t富山県"), 4u);

    r = run({"--area", "1", "ward", "存在しない"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}

TEST_F(LookupCli, SjisOptionTakesAndWritesRawBytes) {
    Outcome r = run({"--sjis", "ward", sjis("千代田区")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), sjis("100101\t東京都千代田区(ちよだく)\n"));
    EXPECT_EQ(r.err, kMissingMessage);  // messages stay UTF-8
}

TEST_F(LookupCli, BadUsageExitsTwoWithoutOutput) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"find", "x"},
        {"city"},
        {"city", "a", "b"},
        {"dump", "x"},
        {"--pref", "48", "city", "a"},
        {"--area", "11", "city", "a"},
        {"--pref", "x1", "city", "a"},
        {"--pref"},
        {"--pref", "10", "--area", "1", "city", "a"},
        {"--verbose", "city", "a"},
        {"city", "\xff\xfe"},          // not UTF-8
        {"city", "\xf0\x9f\x98\x80"},  // no Shift-JIS for it
    };
    for (const auto& args : cases) {
        Outcome r = run(args);
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_NE(r.err.find("orvetta-lookup: "), std::string::npos) << shown;
        EXPECT_EQ(r.err.find("velkarad"), std::string::npos) << shown;  // nothing loaded
    }
}

TEST_F(LookupCli, HelpIsInEnglishAndJapanese) {
    Outcome r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Usage: orvetta-lookup"), std::string::npos);
    EXPECT_NE(r.out.find("使い方: orvetta-lookup"), std::string::npos);
    EXPECT_EQ(r.err, "");
}

TEST_F(LookupCli, DumpShowsRecordsAndBothTables) {
    Outcome r = run({"dump"});
    EXPECT_EQ(r.status, 0);
    std::vector<std::string> lines;
    std::stringstream s(r.out);
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 1u + 4085 + 1 + 1 + 49 + 1 + 1 + 11);
    EXPECT_EQ(lines[0], "index\tnumber\tkanji\treading\tkind\tcurrent");
    EXPECT_EQ(lines[1], "0\t0101\t札幌市\tさっぽろし\t4\t1");
    EXPECT_EQ(lines[4085], "4084\t47005B\t竹富町\tたけとみちょう\t7\t1");
    EXPECT_EQ(lines[4086], "");
    EXPECT_EQ(lines[4087], "row\tcode\tname\tarea\tfirst\tlast");
    EXPECT_EQ(lines[4088], "0\t00\tすべて\t*\t0\t4084");
    EXPECT_EQ(lines[4136], "48\t48\t不明\t0\t4085\t4085");
    EXPECT_EQ(lines[4137], "");
    EXPECT_EQ(lines[4138], "row\tfirst\tlast");
    EXPECT_EQ(lines[4139], "0\t0\t4084");
    EXPECT_EQ(lines[4149], "10\t794\t1062");
}

TEST_F(LookupCli, MergesTheUpdateFileOfTheWorkingDirectory) {
    writeUpdateFile(sjis("; test\r\n0136,北斗市,ほくとし,1\r\n"));
    Outcome r = run({"number", "0136"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0136\t北海道北斗市(ほくとし)\n");
    EXPECT_EQ(r.err, "");

    r = run({"dump"});
    EXPECT_NE(r.out.find("\t0136\t北斗市\tほくとし\t4\t1\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n0\t00\tすべて\t*\t0\t4085\n"), std::string::npos);
}

TEST_F(LookupCli, RejectedUpdateFileLeavesTheDictionaryAsShipped) {
    // A lower-case town letter would hide 01001A from the number lookup.
    writeUpdateFile(sjis("0136,北斗市,ほくとし,1\r\n01001a,新町,しんまち,1\r\n"));
    Outcome r = run({"number", "0136"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Orvetta：更新エラー\n地名の変更・登録に失敗しました\nvelkarad.txt の内容をチェックしてください。\n"
              "2 行目: 番号の英字が大文字 A～Z ではありません\n\n更新処理を行なわずに起動します\n"
              "合致する地名がありません\n");
    r = run({"number", "01001a"});
    EXPECT_EQ(r.out, "01001A\t北海道阿寒郡(あかんぐん)阿寒町(あかんちょう)\n");
}

TEST_F(LookupCli, FailedWriteExitsFourWithAMessage) {
    for (const char* command : {"dump", "--help"}) {
        Outcome r = run({command}, "/dev/full");
        EXPECT_EQ(r.status, 4) << command;
        EXPECT_NE(r.err.find("orvetta-lookup: cannot write to standard output"), std::string::npos) << command;
    }
}

}  // namespace

namespace {

TEST_F(LookupCli, AnswersAsOfADayAndTellsTheHistory) {
    writeUpdateFile("; nothing\r\n");
    const DatedCase cases[] = {
        // A city merged into a new one on 2005-04-01.
        {{"--on", "2005-03-31", "number", "4707"}, 0, "4707\t沖縄県具志川市(ぐしかわし)\n", false},
        {{"--on", "2005-04-01", "number", "4707"}, 0, "4707\t沖縄県具志川市(ぐしかわし)【旧】\n", false},
        {{"--on", "2005-03-31", "number", "4713"}, 1, "", false},  // not created yet
        {{"--on", "2005-04-01", "number", "4713"}, 0, "4713\t沖縄県うるま市(うるまし)\n", false},
        {{"--lang", "en", "history", "4707"},
         0,
         "2005-04-01\tended\t具志川市: merged into 4713 (new municipality)\n",
         false},
        {{"--lang", "en", "history", "4713"},
         0,
         "2005-04-01\tended\t4707 具志川市: merged into 4713 (new municipality)\n",
         true},
        {{"history", "4707"}, 0, "2005-04-01\t廃止\t具志川市: 4713 うるま市 に新設合併\n", false},
        {{"history", "4713"}, 0, "2005-04-01\t廃止\t4707 具志川市: 4713 うるま市 に新設合併\n", true},
        // A village that became a town: name and reading of the day.
        {{"--on", "1998-09-30", "ward", "明和"}, 0, "16003E\t群馬県邑楽郡(おうらぐん)明和村(めいわむら)\n", true},
        {{"--on", "1998-10-01", "ward", "明和"}, 0, "16003E\t群馬県邑楽郡(おうらぐん)明和町(めいわまち)\n", true},
        {{"--lang", "en", "history", "16003e"},
         0,
         "1998-10-01\trenamed\t明和村 めいわむら -> 明和町 めいわまち (village became a town; kind 8 -> 7)\n",
         false},
        // ２３区 ends on 2010-04-01; its wards stay.
        {{"--on", "2010-03-31", "number", "1001"}, 0, "1001\t東京都２３区(にじゅうさんく)\n", false},
        {{"--on", "2010-04-01", "number", "1001"}, 0, "1001\t東京都２３区(にじゅうさんく)【旧】\n", false},
        {{"--on", "2010-04-01", "number", "100123"}, 0, "100123\t東京都江戸川区(えどがわく)\n", false},
        {{"history", "9999"}, 1, "", false},
        // The covered days, and days outside them.
        {{"--on", "2024-05-26", "number", "4713"}, 0, "4713\t沖縄県うるま市(うるまし)\n", false},
        {{"--on", "1998-03-31", "number", "1001"}, 2, "", false},
        {{"--on", "2024-05-27", "number", "1001"}, 2, "", false},
        {{"--on", "2023-02-29", "number", "1001"}, 2, "", false},
        {{"--edition", "1998", "--on", "2000-01-01", "number", "1001"}, 2, "", false},
        {{"--edition", "1998", "history", "1001"}, 2, "", false},
    };
    for (const DatedCase& c : cases) {
        const Outcome r = expectCase(c);
        const std::string trace = traceOf(c.args);
        if (c.status == 2 && c.args[0] == "--on") {
            EXPECT_NE(r.err.find("1998-04-01 to 2024-05-26"), std::string::npos) << trace << r.err;
        }
    }
    // The first covered day is the 1998 list itself; the last, today's.
    EXPECT_EQ(run({"--on", "1998-04-01", "dump"}).out, run({"dump"}).out);
    EXPECT_EQ(run({"--on", "2024-05-26", "dump"}).out, run({"--edition", "current", "dump"}).out);
    EXPECT_EQ(lineCount(run({"--edition", "current", "dump"}).out), 1 + 4453 + 1 + 1 + 49 + 1 + 1 + 11);
}

}  // namespace

namespace {

TEST_F(LookupCli, RefusesOptionsThatWouldBeLostOrIgnored) {
    std::string longWord, shownWord;
    for (int i = 0; i < 2500; ++i) longWord += "あい";
    for (int i = 0; i < 20; ++i) shownWord += "あい";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--on", "", "number", "0101"}, "--on takes a day from"},
        {{"--on", "", "--edition", "1998", "number", "0101"}, "not ''"},
        {{"--edition", "", "dump"}, "--edition takes 1998 or current, not ''"},
        {{"--on", "2005-01-01", "--on", "", "number", "4707"}, "--on may be given only once"},
        {{"--on", "2005", "--on", "2005-01-01", "number", "4707"}, "not '2005'"},  // the first value is checked
        {{"--edition", "current", "--edition", "1998", "dump"}, "--edition may be given only once"},
        {{"--pref", "1", "--pref", "2", "city", "a"}, "--pref may be given only once"},
        {{"history", ""}, "history takes a NUMBER"},
        {{"--pref", "27", "history", "4707"}, "--pref does not apply to history"},
        {{"--reading", "dump"}, "--reading does not apply to dump"},
        {{"--on", "2005-01-01", "history", "4707"}, "--on does not apply to history"},
        {{longWord}, "unknown command '" + shownWord + "...'\n"},  // cut between characters
    };
    for (const auto& [args, message] : cases) {
        Outcome r = run(args);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_EQ(r.out, "") << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err.substr(0, 200);
        EXPECT_LT(r.err.size(), 200u) << message;
        EXPECT_EQ(r.err.find("velkarad"), std::string::npos) << message;  // nothing loaded
    }
}

}  // namespace

namespace {

// Folded matching unless --exact, and the update file the options name.
TEST_F(LookupCli, FoldsQueriesAndTakesTheNamedUpdateFile) {
    writeUpdateFile(sjis("0136,北斗市,ほくとし,1\r\n"));
    std::ofstream(dir_ / "other.txt", std::ios::binary) << sjis("0137,架空市,かくうし,1\r\n");
    const DatedCase cases[] = {
        {{"number", "０１０１"}, 0, "0101\t北海道札幌市(さっぽろし)\n", false},
        {{"--exact", "number", "０１０１"}, 1, "", false},
        {{"city", "竜ヶ崎"}, 0, "1408\t茨城県龍ケ崎市(りゅうがさきし)\n", false},
        {{"--reading", "city", "ｻｯﾎﾟﾛ"}, 0, "0101\t北海道札幌市(さっぽろし)\n", true},
        {{"--reading", "--pref", "1", "ward", "Chūō"},
         0,
         "010101\t北海道札幌市(さっぽろし)中央区(ちゅうおうく)\n",
         false},
        {{"number", "0136"}, 0, "0136\t北海道北斗市(ほくとし)\n", false},
        {{"--no-update", "number", "0136"}, 1, "", false},
        {{"--update", "other.txt", "number", "0137"}, 0, "0137\t北海道架空市(かくうし)\n", false},
        {{"--update", "other.txt", "number", "0136"}, 1, "", false},
        {{"--update", "missing.txt", "number", "0101"}, 2, "", false},
    };
    for (const DatedCase& c : cases) expectCase(c);
}

// A small ADIF log and a small HAMLOG CSV (Shift-JIS), checked together.
const std::string kAdifLog =
    "made by hand <PROGRAMID:4>test <EOH>\n"
    "<CALL:6>JA1AAA<QSO_DATE:8>20000601<CNTY:4>1017<BAND:3>40m<MODE:2>CW<QSL_RCVD:1>Y<EOR>\n"
    "<call:6>JA1BBB <qso_date:8>20010201 <cnty:4>1017 <eor>\n"              // 保谷市 has ended
    "<CALL:6>JA6CCC<QSO_DATE:8>20050331<CNTY:4>4713<EOR>\n"                 // うるま市 not yet
    "<CALL:6>JA8DDD<QSO_DATE:8>20030505<CNTY:6>01001B<QSL_RCVD:1>N<EOR>\n"  // a village: its district
    "<CALL:4>W1AW<QSO_DATE:8>20030505<DXCC:3>291<EOR>\n"                    // not Japanese
    "<CALL:6>JA1EEE<QSO_DATE:8>20100101<CNTY:6>100101<STATE:2>11<EOR>\n";   // STATE of another prefecture

std::string csvLog() {
    return sjis(
        "\"JA1ZZZ\",\"10/05/01\",\"12:00J\",\"599\",\"599\",\"7\",\"CW\",\"1030\",\"\",\"J\",\"山田\",\"西東京市\",\"\",\"\"\r\n"
        "JR6YYY,04/01/01,09:00J,599,599,7,CW,4713,,J,,,,\r\n"
        "broken,line\r\n");
}

TEST_F(LookupCli, AwardsWritesEachTable) {
    writeFile("a.adi", kAdifLog);
    writeFile("b.csv", csvLog());
    const std::pair<std::string, std::string> tables[] = {
        {"summary", "JCC\t3\t1\t815\nJCG\t1\t0\t379\nKU\t0\t0\t171\nWAJA\t2\t1\t47\n"},
        {"credits",
         "JCC\t1001\t２３区\t2010-01-01\tJA1EEE\t0\n"  // a ward before 2010-04-01 counts as 1001
         "JCC\t1017\t保谷市\t2000-06-01\tJA1AAA\t1\n"
         "JCC\t1030\t西東京市\t2010-05-01\tJA1ZZZ\t0\n"
         "JCG\t01001\t阿寒郡\t2003-05-05\tJA8DDD\t0\n"
         "WAJA\t01\t北海道\t2003-05-05\tJA8DDD\t0\n"
         "WAJA\t10\t東京都\t2000-06-01\tJA1AAA\t1\n"},
        {"problems",
         "a.adi\t2\tJA1BBB\t2001-02-01\t1017\tended\t1017 保谷市 は 2001-01-20 まで。後継は 1030 西東京市\n"
         "a.adi\t3\tJA6CCC\t2005-03-31\t4713\tnot-yet\t4713 うるま市 は 2005-04-01 から\n"
         "a.adi\t6\tJA1EEE\t2010-01-01\t100101\tpref-mismatch\tSTATE 11 は番号の都道府県 10 東京都 と違います(交信は数えます)\n"
         "b.csv\t2\tJR6YYY\t2004-01-01\t4713\tnot-yet\t4713 うるま市 は 2005-04-01 から\n"
         "b.csv\t3\tbroken\tline\t\tbad-record\t列が足りません(2 列、14 列以上が必要)(先頭から 138 バイト)\n"},
    };
    for (const auto& [table, expected] : tables) {
        const Outcome r = run({"awards", "--tsv", table, "a.adi", "b.csv"});
        EXPECT_EQ(r.status, 0) << table << r.err;
        EXPECT_EQ(r.out, expected) << table;
    }
    // Needed: current numbers not worked (or, with --confirmed, not confirmed).
    Outcome r = run({"awards", "--tsv", "needed", "a.adi", "b.csv"});
    EXPECT_EQ(lineCount(r.out), 814 + 378 + 171 + 45);
    EXPECT_NE(r.out.find("JCC\t0101\t札幌市\n"), std::string::npos);
    EXPECT_EQ(r.out.find("JCC\t1030\t"), std::string::npos);
    r = run({"awards", "--tsv", "needed", "--confirmed", "--lang", "en", "a.adi", "b.csv"});
    EXPECT_EQ(lineCount(r.out), 815 + 379 + 171 + 46);
    EXPECT_NE(r.out.find("JCC\t1030\tNishitokyo\n"), std::string::npos);
    // The report: Japanese, the summary first and JARL as the authority last.
    r = run({"awards", "a.adi"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("JARL アワード集計(記録 6 件、日本局との交信 5 件)\n", 0), 0u);
    EXPECT_NE(r.out.find("認定は JARL のアワード規約によります。\n"), std::string::npos);
}

// Each number with the contact that proves it: the earliest confirmed one,
// else the earliest; as a table or as a printable list of one award.
TEST_F(LookupCli, AwardsWritesTheApplicationList) {
    writeFile(
        "app.adi",
        "<CALL:6>JA1AAA<QSO_DATE:8>20000601<CNTY:4>1017<BAND:3>40m<MODE:2>CW<EOR>\n"
        "<CALL:6>JA1BBB<QSO_DATE:8>20000701<TIME_ON:6>083000<CNTY:4>1017<BAND:3>20m<MODE:3>SSB<QSL_RCVD:1>Y<EOR>\n"
        "<CALL:6>JA1CCC<QSO_DATE:8>20050102<CNTY:4>1030<BAND:3>40m<MODE:2>CW<EOR>\n");
    const DatedCase cases[] = {
        {{"awards", "--tsv", "application", "app.adi"},
         0,
         "JCC\t1017\t保谷市\tJA1BBB\t2000-07-01\t08:30\t20m\tSSB\t1\n"
         "JCC\t1030\t西東京市\tJA1CCC\t2005-01-02\t\t40m\tCW\t0\n"
         "WAJA\t10\t東京都\tJA1BBB\t2000-07-01\t08:30\t20m\tSSB\t1\n",
         false},
        {{"awards", "--tsv", "application", "--confirmed", "app.adi"},
         0,
         "JCC\t1017\t保谷市\tJA1BBB\t2000-07-01\t08:30\t20m\tSSB\t1\n"
         "WAJA\t10\t東京都\tJA1BBB\t2000-07-01\t08:30\t20m\tSSB\t1\n",
         false},
        {{"awards", "--list", "jcc", "--lang", "en", "app.adi"},
         0,
         "JARL JCC application list (place list of 2024-05-26)\n"
         "worked 2, confirmed 1, current 815\n\n"
         "number  name        call    date        time   band  mode  QSL\n"
         "1017    Hoya        JA1BBB  2000-07-01  08:30  20m   SSB   yes\n"
         "1030    Nishitokyo  JA1CCC  2005-01-02         40m   CW    no\n",
         false},
        {{"awards", "--list", "WAJA", "--confirmed", "app.adi"},
         0,
         "10    東京都  JA1BBB        2000-07-01  08:30",
         true},
        // HAMLOG's via marks the user leaves out are counted apart.
        {{"awards", "--skip-via", "J", "b.csv"}, 0, "QSL 経由の指定で除いた交信(数えません): 2 件\n", true},
    };
    writeFile("b.csv", csvLog());
    for (const DatedCase& c : cases) expectCase(c);
}

TEST_F(LookupCli, AwardsExitStatuses) {
    writeFile("foreign.adi", "<CALL:4>W1AW<QSO_DATE:8>20030505<EOR>\n");
    writeFile("a.adi", kAdifLog);
    writeFile("notes.txt", "just some notes\nnothing like a log\n");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;  // a part of standard error
    } cases[] = {
        {{"awards", "foreign.adi"}, 1, "日本局との交信がありません"},
        {{"awards", "--band", "20m", "a.adi"}, 1, ""},  // no contact of that band
        {{"awards", "a.adi", "missing.adi"}, 5, "'missing.adi' cannot be opened"},
        {{"awards", "notes.txt"}, 5, "'notes.txt' is neither an ADIF log nor a HAMLOG CSV"},
        {{"awards"}, 2, "awards takes one or more LOGFILE"},
        {{"awards", "--confirmed", "a.adi"}, 2, "--confirmed applies only to --tsv needed"},
        {{"awards", "--tsv", "all", "a.adi"}, 2, "--tsv takes summary, credits, problems, needed"},
        {{"awards", "--on", "2005-01-01", "a.adi"}, 2, "--on does not apply to awards"},
        {{"awards", "--list", "jcc", "--tsv", "summary", "a.adi"}, 2, "--list and --tsv cannot both be given"},
        {{"awards", "--list", "dxcc", "a.adi"}, 2, "--list takes JCC, JCG, KU or WAJA, not 'dxcc'"},
        {{"awards", "--skip-via", "", "a.adi"}, 2, "--skip-via needs one or more QSL via marks"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        if (c.status >= 2) {
            EXPECT_EQ(r.out, "") << c.args.back();
        }
    }
}

}  // namespace

namespace {

// --lang en: the lines of number, city and ward in romaji, the kanji kept.
TEST_F(LookupCli, EnglishLinesWithLangEn) {
    const DatedCase cases[] = {
        {{"--lang", "en", "number", "01001b"}, 0, "01001B\tTsurui-mura, Akan-gun, Hokkaido (阿寒郡鶴居村)\n", false},
        {{"--lang", "en", "--reading", "city", "sapporo"},
         0,
         "0101\tSapporo-shi, Hokkaido (札幌市)\n01029\tSapporo-gun, Hokkaido (札幌郡) (deleted)\n",
         false},
        {{"--lang", "en", "ward", "千代田"}, 0, "100101\tChiyoda-ku, Tokyo (千代田区)\n", true},
        // The name of the day: 明和村 became 明和町 on 1998-10-01.
        {{"--lang", "en", "--on", "1998-09-30", "ward", "明和"},
         0,
         "16003E\tMeiwa-mura, Ora-gun, Gunma (邑楽郡明和村)\n",
         true},
        {{"--lang", "en", "--edition", "current", "number", "01014"},
         0,
         "01014\tUryu-gun (Sorachi), Hokkaido (雨竜郡(空知))\n",
         false},
    };
    for (const DatedCase& c : cases) expectCase(c);
    const Outcome r = run({"--lang", "en", "number", "9999"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No matching place\n");
}

}  // namespace
