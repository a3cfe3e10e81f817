// orvetta-lookup: the place dictionary and its search from a command line.
//
//   orvetta-lookup [--edition 1998|current] [--on DATE] [--reading] [--pref N | --area N] [--sjis]
//                  number|city|ward TEXT
//   orvetta-lookup [--edition 1998|current] [--on DATE] [--sjis] dump
//   orvetta-lookup [--sjis] history NUMBER
//   orvetta-lookup --help
//
// It loads the chosen edition of the built-in dictionary (with --on, as it
// stood on that day) and merges "velkarad.txt" from the current directory as
// the desktop program does at start-up, with the same messages on standard
// error, then runs one search and prints each line the search appends, or
// dumps the record array and the region tables. `history` prints the recorded
// changes of one number. Output is UTF-8, or the Shift-JIS bytes themselves
// with --sjis; lines end in LF.
//
// Exit status: 0 lines printed, 1 no line (nothing matched, the number is not
// in the scope, no change recorded), 2 bad usage, 3 the dictionary could not
// be loaded, 4 standard output could not be written (a full disk, for one).
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/text.h"
#include "dict/edition.h"
#include "dict/edition.h"
#include "dict/history.h"
#include "dict/load.h"
#include "dict/place.h"
#include "search/engine.h"
#include "search/result_line.h"
#include "text/sjis.h"
#include "update/update_file.h"

namespace orvetta::cli {
namespace {

constexpr int kExitFound = 0;
constexpr int kExitNone = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoDictionary = 3;
constexpr int kExitWriteFailed = 4;

// The editions this program carries; the first is the default.
const Edition* const kEditions[] = {&kEdition1998, &kEditionCurrent};

// The edition whose history answers `history` and --on.
const Edition& historyEdition() { return kEditionCurrent; }

std::string helpEnglish() {
    const Edition& past = kEdition1998;
    const Edition& today = historyEdition();
    return std::string(
               "Usage: orvetta-lookup [options] number TEXT\n"
               "       orvetta-lookup [options] city TEXT\n"
               "       orvetta-lookup [options] ward TEXT\n"
               "       orvetta-lookup [--edition E] [--on DATE] [--sjis] dump\n"
               "       orvetta-lookup [--sjis] history NUMBER\n"
               "       orvetta-lookup --help\n"
               "\n"
               "Looks up Japanese places and their JCC/JCG numbers in the built-in place\n"
               "dictionary. A \"velkarad.txt\" in the current directory is merged first, as\n"
               "the desktop program does; its messages go to standard error.\n"
               "\n"
               "  number TEXT     the place whose JCC/JCG number is TEXT (letters in any case)\n"
               "  city TEXT       every city and district whose name contains TEXT\n"
               "  ward TEXT       every ward, town and village whose name contains TEXT\n"
               "  dump            the record array and the two region tables, tab-separated\n"
               "  history NUMBER  every recorded change of NUMBER since ") +
           today.historySince + ", and the changes\n" +
           "                  naming it as successor: date, change, detail\n"
           "\n"
           "  --edition E     the place list: " +
           past.name + " (places of " + past.snapshotDate + ", the default) or\n" + "                  " +
           today.name + " (places of " + today.snapshotDate + ", with their history)\n" +
           "  --on DATE       answer as of DATE (YYYY-MM-DD, " + today.historySince + " to " + today.snapshotDate +
           "):\n"
           "                  old marks and names of that day, later places left out;\n"
           "                  uses the " +
           today.name + " list\n" +
           "  --reading       match the kana readings (hiragana) instead of the kanji names\n"
           "  --pref N        search prefecture N only (1-47; 0 = all)\n"
           "  --area N        search call-area choice N only (1-9 = area 1-9, 10 = area 0;\n"
           "                  0 = all); cannot be combined with --pref other than 0\n"
           "  --sjis          write Shift-JIS instead of UTF-8; on Linux TEXT is then taken\n"
           "                  as Shift-JIS bytes too\n"
           "\n"
           "Name matching is byte-wise on the Shift-JIS text; an empty TEXT matches\n"
           "every name. Each hit is one line: the number, a tab, the prefecture, the\n"
           "parent city or district, the place with its reading in parentheses, and a\n"
           "mark for places that no longer exist.\n"
           "Exit status: 0 lines printed, 1 nothing found (or no change recorded),\n"
           "2 bad usage, 3 the dictionary could not be loaded, 4 standard output could\n"
           "not be written.\n"
           "\n";
}

// Shift-JIS, converted like all output; the dates come from the editions.
std::string helpJapanese() {
    const Edition& past = kEdition1998;
    const Edition& today = historyEdition();
    return std::string(
    "\x8eg\x82\xa2\x95\xfb: orvetta-lookup [\x83I\x83v\x83V\x83\x87\x83\x93] number|city|ward \x95\xb6\x8e\x9a\x97\xf1\n"  // 使い方: orvetta-lookup [オプション] number|city|ward 文字列
    "      orvetta-lookup [--sjis] dump\n"
    "      orvetta-lookup [--sjis] history \x94\xd4\x8d\x86\n"  //       orvetta-lookup [--sjis] history 番号
    "\x93\xe0\x91\xa0\x82\xcc\x92n\x96\xbc\x8e\xab\x8f\x91\x82\xa9\x82\xe7\x92n\x96\xbc\x82\xc6 JCC/JCG \x83i\x83\x93\x83o\x81[\x82\xf0\x92T\x82\xb5\x82\xdc\x82\xb7\x81" "B\n"  // 内蔵の地名辞書から地名と JCC/JCG ナンバーを探します。
    "\x83J\x83\x8c\x83\x93\x83g\x83" "f\x83" "B\x83\x8c\x83N\x83g\x83\x8a\x82\xc9 velkarad.txt \x82\xaa\x82\xa0\x82\xea\x82\xce\x81" "A\x82\xbb\x82\xcc\x93\xe0\x97" "e\x82\xf0\x94\xbd\x89" "f\x82\xb5\x82\xdc\x82\xb7\x81" "B\n"  // カレントディレクトリに velkarad.txt があれば、その内容を反映します。
    "  number \x95\xb6\x8e\x9a\x97\xf1  \x82\xbb\x82\xcc JCC/JCG \x83i\x83\x93\x83o\x81[\x82\xcc\x92n\x96\xbc (\x89p\x8e\x9a\x82\xcc\x91\xe5\x8f\xac\x82\xcd\x8b\xe6\x95\xca\x82\xb5\x82\xc8\x82\xa2)\n"  //   number 文字列  その JCC/JCG ナンバーの地名 (英字の大小は区別しない)
    "  city \x95\xb6\x8e\x9a\x97\xf1    \x96\xbc\x91O\x82\xc9\x95\xb6\x8e\x9a\x97\xf1\x82\xf0\x8a\xdc\x82\xde\x8es\x81" "E\x8cS\n"  //   city 文字列    名前に文字列を含む市・郡
    "  ward \x95\xb6\x8e\x9a\x97\xf1    \x96\xbc\x91O\x82\xc9\x95\xb6\x8e\x9a\x97\xf1\x82\xf0\x8a\xdc\x82\xde\x8b\xe6\x81" "E\x92\xac\x81" "E\x91\xba\n"  //   ward 文字列    名前に文字列を含む区・町・村
    "  dump           \x8e\xab\x8f\x91\x82\xcc\x91S\x83\x8c\x83R\x81[\x83h\x82\xc6\x92n\x88\xe6\x95\x5c\x82\xf0\x83^\x83u\x8b\xe6\x90\xd8\x82\xe8\x82\xc5\x8fo\x97\xcd\n"  //   dump           辞書の全レコードと地域表をタブ区切りで出力
    "  history \x94\xd4\x8d\x86   \x82\xbb\x82\xcc\x94\xd4\x8d\x86\x82\xcc\x95\xcf\x8dX\x97\x9a\x97\xf0 (") +  //   history 番号   その番号の変更履歴 (
           today.historySince +
           " \x88\xc8\x8d~) \x82\xc6\x81" "A\x82\xbb\x82\xcc\x94\xd4\x8d\x86\x82\xf0\x8c\xe3\x8cp\x82\xc6\x82\xb7\x82\xe9\x95\xcf\x8dX\n"  //  以降) と、その番号を後継とする変更
           "  --edition \x94\xc5   \x92n\x96\xbc\x83\x8a\x83X\x83g: " +  //   --edition 版   地名リスト:
           past.name + " (" + past.snapshotDate +
           " \x8c\xbb\x8d\xdd\x81" "A\x8a\xf9\x92\xe8) \x82\xdc\x82\xbd\x82\xcd\n"  //  現在、既定) または
           "                 " +
           today.name + " (" + today.snapshotDate +
           " \x8c\xbb\x8d\xdd\x81" "A\x95\xcf\x8dX\x97\x9a\x97\xf0\x82\xc2\x82\xab)\n"  //  現在、変更履歴つき)
           "  --on \x93\xfa\x95t      \x82\xbb\x82\xcc\x93\xfa (YYYY-MM-DD\x81" "A" +  //   --on 日付      その日 (YYYY-MM-DD、
           today.historySince + "\x81`" + today.snapshotDate +  // 〜
           ") \x8c\xbb\x8d\xdd\x82\xcc\x92n\x96\xbc\x82\xc5\x93\x9a\x82\xa6\x82\xe9 (" +  // ) 現在の地名で答える (
           today.name +
           " \x94\xc5\x82\xf0\x8eg\x82\xa4)\n"  //  版を使う)
    "  --reading      \x8a\xbf\x8e\x9a\x82\xc5\x82\xcd\x82\xc8\x82\xad\x93\xc7\x82\xdd (\x82\xd0\x82\xe7\x82\xaa\x82\xc8) \x82\xc5\x92T\x82\xb7\n"  //   --reading      漢字ではなく読み (ひらがな) で探す
    "  --pref N       \x93s\x93\xb9\x95{\x8c\xa7 N (1-47\x81" "A0 \x82\xcd\x82\xb7\x82\xd7\x82\xc4) \x82\xc9\x8di\x82\xe9\n"  //   --pref N       都道府県 N (1-47、0 はすべて) に絞る
    "  --area N       \x83G\x83\x8a\x83" "A N (1-9\x81" "A10 \x82\xcd 0 \x83G\x83\x8a\x83" "A\x81" "A0 \x82\xcd\x82\xb7\x82\xd7\x82\xc4) \x82\xc9\x8di\x82\xe9\n"  //   --area N       エリア N (1-9、10 は 0 エリア、0 はすべて) に絞る
    "  --sjis         Shift-JIS \x82\xc5\x8fo\x97\xcd\x82\xb5\x81" "A\x95\xb6\x8e\x9a\x97\xf1\x82\xe0 Shift-JIS \x82\xc6\x82\xb5\x82\xc4\x8e\xf3\x82\xaf\x8e\xe6\x82\xe9\n"  //   --sjis         Shift-JIS で出力し、文字列も Shift-JIS として受け取る
    "\x8fI\x97\xb9\x83R\x81[\x83h: 0 \x8c\xa9\x82\xc2\x82\xa9\x82\xc1\x82\xbd\x81" "A1 \x8c\xa9\x82\xc2\x82\xa9\x82\xe7\x82\xc8\x82\xa2\x81" "A2 \x8eg\x82\xa2\x95\xfb\x82\xcc\x8c\xeb\x82\xe8\x81" "A3 \x8e\xab\x8f\x91\x82\xf0\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x81" "A4 \x8fo\x97\xcd\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xc8\x82\xa2\n";  // 終了コード: 0 見つかった、1 見つからない、2 使い方の誤り、3 辞書を読めない、4 出力に書き込めない
}

// The cause of the first failed write to standard output; 0 while none failed.
int gWriteErrno;

void writeOut(const char* bytes, size_t size) {
    if (std::fwrite(bytes, 1, size, stdout) != size && gWriteErrno == 0) gWriteErrno = errno ? errno : EIO;
}

// Writes Shift-JIS text to standard output, converted unless raw.
class Output {
public:
    explicit Output(bool raw) : raw_(raw) {}
    void write(const char* text, size_t size) {
        if (raw_) {
            writeOut(text, size);
        } else {
            std::string utf8 = utf8FromSjis(text, size);
            writeOut(utf8.data(), utf8.size());
        }
    }
    void write(const char* text) { write(text, std::strlen(text)); }
    void field(const char* text, size_t width) { write(text, strnlen(text, width)); }
    void number(long value) {
        char text[24];
        std::snprintf(text, sizeof text, "%ld", value);
        write(text);
    }
    void tab() { write("\t", 1); }
    void endLine() { write("\n", 1); }

private:
    bool raw_;
};

// Standard error: always UTF-8.
void complain(const char* sjisText) {
    std::string utf8 = utf8FromSjis(sjisText, std::strlen(sjisText));
    std::fprintf(stderr, "%s\n", utf8.c_str());
}

void complainUsage(const std::string& what) {
    std::fprintf(stderr, "orvetta-lookup: %s\nTry 'orvetta-lookup --help'.\n", what.c_str());
}

void informOnStderr(void*, const char* text, const char* caption) {
    complain(caption);
    complain(text);
}

struct Options {
    bool reading = false;
    bool sjis = false;
    bool help = false;
    int prefecture = 0;
    int area = 0;
    std::string edition;  // --edition: a name from kEditions, or "" for the default
    std::string onDate;   // --on: answer as of this day
    std::vector<std::string> words;  // command and its text
};

// Parses a whole decimal number in [low, high].
bool parsePosition(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 3) return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < low || v > high) return false;
    value = v;
    return true;
}

// Options may stand anywhere; after "--" everything is a word.
bool parseOptions(const std::vector<std::string>& args, Options& options) {
    bool wordsOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (wordsOnly || arg.empty() || arg[0] != '-' || arg == "-") {
            options.words.push_back(arg);
        } else if (arg == "--") {
            wordsOnly = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--reading") {
            options.reading = true;
        } else if (arg == "--sjis") {
            options.sjis = true;
        } else if (arg == "--edition" || arg == "--on") {
            if (i + 1 >= args.size()) {
                complainUsage(arg + (arg == "--on" ? " needs a date" : " needs a name"));
                return false;
            }
            (arg == "--on" ? options.onDate : options.edition) = args[++i];
        } else if (arg == "--pref" || arg == "--area") {
            const bool pref = arg == "--pref";
            if (i + 1 >= args.size()) {
                complainUsage(arg + " needs a number");
                return false;
            }
            const std::string& value = args[++i];
            if (!parsePosition(value, 0, pref ? kLastPrefectureRow : kAreaRows - 1,
                               pref ? options.prefecture : options.area)) {
                complainUsage(arg + (pref ? " takes 0 to 47, not '" : " takes 0 to 10, not '") + value + "'");
                return false;
            }
        } else {
            complainUsage("unknown option '" + arg + "'");
            return false;
        }
    }
    if (options.prefecture != 0 && options.area != 0) {
        complainUsage("--pref and --area cannot both choose a scope");
        return false;
    }
    return true;
}

// The edition the options ask for, or null after a usage message. --on and
// `history` need the edition with a history and take it by default.
const Edition* chooseEdition(const Options& options, bool history) {
    const Edition* edition = gEdition;
    if (!options.edition.empty()) {
        edition = nullptr;
        for (const Edition* e : kEditions)
            if (options.edition == e->name) edition = e;
        if (!edition) {
            std::string names;
            for (const Edition* e : kEditions) names += std::string(names.empty() ? "" : " or ") + e->name;
            complainUsage("--edition takes " + names + ", not '" + options.edition + "'");
            return nullptr;
        }
    }
    const Edition& dated = historyEdition();
    if (history || !options.onDate.empty()) {
        const char* what = history ? "history" : "--on";
        if (!options.edition.empty() && edition != &dated) {
            complainUsage(std::string(what) + " answers from the " + dated.name + " list, not from --edition " +
                          options.edition);
            return nullptr;
        }
        edition = &dated;
    }
    if (!options.onDate.empty() && !historyCovers(dated, options.onDate.c_str())) {
        complainUsage("--on takes a day from " + std::string(dated.historySince) + " to " + dated.snapshotDate +
                      " as YYYY-MM-DD, not '" + options.onDate + "'");
        return nullptr;
    }
    return edition;
}

// Loads the edition in use (as of `onDate`, unless empty) and merges the
// update file. False when the dictionary could not be loaded (its message is
// on standard error).
bool loadPlaces(const std::string& onDate) {
    int loaded = loadDictionary();
    if (loaded == kLoadNoMemory) {
        informOnStderr(nullptr, kMemoryErrorText, kMemoryErrorCaption);
        return false;
    }
    if (loaded != decodedDictionarySize()) {
        informOnStderr(nullptr, kInitErrorText, kInitErrorCaption);
        return false;
    }
    if (!onDate.empty()) rewindToDate(*gEdition, onDate.c_str(), gRecords, gAreaTable, gPrefectureTable);
    UpdateNotifier notifier{informOnStderr, nullptr};
    UpdateError error;
    if (readUpdateFile(notifier, gRecords, gAreaTable, gPrefectureTable, &error) == kUpdateRejected)
        informOnStderr(nullptr, updateErrorText(error).c_str(), kUpdateErrorCaption);
    return true;
}

int runLookup(const Options& options, const std::string& command, const std::string& text) {
    SearchRequest request;
    request.prefecturePosition = options.prefecture;
    request.areaPosition = options.area;
    request.searchMode = options.reading ? SearchMode::Reading : SearchMode::Kanji;
    if (command == "number") {
        request.numberGiven = true;
        request.setNumberText(text.c_str());
    } else if (command == "city") {
        request.cityGiven = true;
        request.setCityText(text.c_str());
    } else {
        request.wardGiven = true;
        request.setWardText(text.c_str());
    }
    ResultList results;
    int found = runSearch(request, results);
    Output out(options.sjis);
    for (int i = 0; i < results.count(); ++i) {
        out.write(results.line(i));
        out.endLine();
    }
    if (found >= 1) return kExitFound;
    complain(kNoMatchText);
    return kExitNone;
}

void dump(bool sjis) {
    Output out(sjis);
    out.write("index\tnumber\tkanji\treading\tkind\tcurrent\n");
    for (int i = 0; i < recordCount(); ++i) {
        const PlaceRecord& r = gRecords[i];
        out.number(i);
        out.tab();
        out.field(r.number, sizeof r.number);
        out.tab();
        out.field(r.kanji, sizeof r.kanji);
        out.tab();
        out.field(r.reading, sizeof r.reading);
        out.tab();
        out.write(&r.kind, 1);
        out.tab();
        out.write(&r.current, 1);
        out.endLine();
    }
    out.write("\nrow\tcode\tname\tarea\tfirst\tlast\n");
    for (int row = 0; row < kPrefectureRows; ++row) {
        const PrefectureRow& p = gPrefectureTable[row];
        out.number(row);
        out.tab();
        out.field(p.code, sizeof p.code);
        out.tab();
        out.field(p.name, sizeof p.name);
        out.tab();
        out.field(p.area, sizeof p.area);
        out.tab();
        out.number(p.first);
        out.tab();
        out.number(p.last);
        out.endLine();
    }
    out.write("\nrow\tfirst\tlast\n");
    for (int row = 0; row < kAreaRows; ++row) {
        out.number(row);
        out.tab();
        out.number(gAreaTable[row].first);
        out.tab();
        out.number(gAreaTable[row].last);
        out.endLine();
    }
}

const char* changeWord(ChangeKind kind) {
    switch (kind) {
    case ChangeKind::Created:
        return "created";
    case ChangeKind::Renamed:
        return "renamed";
    case ChangeKind::Ended:
        break;
    }
    return "ended";
}

// Prints every recorded change of `number` and every change naming it as
// successor, in date order: date, change, detail; a change of another place
// names that place before its detail.
int printHistory(bool sjis, std::string number) {
    for (char& c : number) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const Edition& dated = historyEdition();
    const std::vector<const PlaceChange*> changes = changesOf(dated, number.c_str());
    Output out(sjis);
    for (const PlaceChange* change : changes) {
        out.write(change->date);
        out.tab();
        out.write(changeWord(change->kind));
        out.tab();
        if (number != change->number) {
            out.write(change->number);
            out.write(" ");
        }
        out.write(change->detail);
        out.endLine();
    }
    if (!changes.empty()) return kExitFound;
    std::fprintf(stderr, "orvetta-lookup: no change of %s is recorded from %s to %s\n", number.c_str(),
                 dated.historySince, dated.snapshotDate);
    return kExitNone;
}

int run(int argc, char** argv) {
    prepareConsole();
    Options options;
    if (!parseOptions(commandArguments(argc, argv), options)) return kExitUsage;
    if (options.help) {
        Output out(options.sjis);
        out.write(helpEnglish().c_str());
        out.write(helpJapanese().c_str());
        return kExitFound;
    }
    if (options.words.empty()) {
        complainUsage("no command given");
        return kExitUsage;
    }
    const std::string& command = options.words[0];
    const bool search = command == "number" || command == "city" || command == "ward";
    const bool history = command == "history";
    if (!search && !history && command != "dump") {
        complainUsage("unknown command '" + command + "'");
        return kExitUsage;
    }
    if (search && options.words.size() != 2) {
        complainUsage(command + " takes exactly one TEXT");
        return kExitUsage;
    }
    if (history && options.words.size() != 2) {
        complainUsage("history takes exactly one NUMBER");
        return kExitUsage;
    }
    if (history && !options.onDate.empty()) {
        complainUsage("history lists every day's changes; --on does not apply to it");
        return kExitUsage;
    }
    const Edition* edition = chooseEdition(options, history);
    if (!edition) return kExitUsage;
    if (history) return printHistory(options.sjis, options.words[1]);
    if (!search && options.words.size() != 1) {
        complainUsage("dump takes no TEXT");
        return kExitUsage;
    }
    std::string text;
    if (search) {
        if (options.sjis && argumentsAreBytes()) {
            text = options.words[1];
        } else if (!sjisFromUtf8(options.words[1], text)) {
            complainUsage("TEXT is not UTF-8 text that Shift-JIS can hold");
            return kExitUsage;
        }
    }

    selectEdition(*edition);
    if (!loadPlaces(options.onDate)) return kExitNoDictionary;
    int status = kExitFound;
    if (search) {
        status = runLookup(options, command, text);
    } else {
        dump(options.sjis);
    }
    releaseDictionary();
    return status;
}

// Everything written must have reached standard output: a failed write
// anywhere, or in the final flush, turns any status into 4.
int finishOutput(int status) {
    if (std::fflush(stdout) != 0 && gWriteErrno == 0) gWriteErrno = errno ? errno : EIO;
    if (gWriteErrno == 0 && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "orvetta-lookup: cannot write to standard output: %s\n",
                 std::strerror(gWriteErrno ? gWriteErrno : EIO));
    return kExitWriteFailed;
}

}  // namespace
}  // namespace orvetta::cli

int main(int argc, char** argv) { return orvetta::cli::finishOutput(orvetta::cli::run(argc, argv)); }
