// mkdict stops the build on a history or a JARL number list that does not fit
// its list, naming the file and line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(Mkdict, RejectsAHistoryOrJarlListThatDoesNotFitTheList) {
    const fs::path dir = fs::temp_directory_path() / ("orvetta-mkdict-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string source = ORVETTA_SOURCE_DIR "/dict/current/";
    const std::string header = "date\tnumber\tchange\tdetail\tdetail_ja\n";
    const std::string jarlHeader = "number\tjarl_kanji\tromaji\tstatus\tlast_day\tlist\taward\n";
    struct Case {
        std::string file, lines, message;  // file: the one the lines replace
    } cases[] = {
        {"history.tsv", "2001-02-30\t1030\tcreated\tx\tx\n", "history.tsv:2: not a valid date: 2001-02-30"},
        {"history.tsv", "1998-04-01\t1030\tcreated\tx\tx\n", "history.tsv:2: date outside the history"},
        {"history.tsv", "2001-01-21\t1030\tcreated\tx\tx\n2000-01-01\t1017\tended\tx\tx\n",
         "history.tsv:3: dates must not go back"},
        {"history.tsv", "2001-01-21\t9999\tcreated\tx\tx\n", "history.tsv:2: number 9999 is not in the place list"},
        {"history.tsv", "2001-01-21\t1017\tended\tmerged into 9998\tx\n", "history.tsv:2: the detail names 9998"},
        {"history.tsv", "2001-01-21\t1017\tmoved\tx\tx\n", "history.tsv:2: the change is created, renamed or ended"},
        {"history.tsv", "2001-01-21\t16003E\trenamed\t明和村 -> 明和町\tx\n", "history.tsv:2: a rename reads"},
        {"history.tsv", "2001-01-21\t1030\tcreated\tx\n", "history.tsv:2: expected 5 tab-separated fields"},
        {"jarl-numbers.tsv", "0102\t旭川\tAsahikawa\tcurrent\t\tx\tJCC\n0101\t札幌\tSapporo\tcurrent\t\tx\tJCC\n",
         "jarl-numbers.tsv:3: numbers must follow the place list's order"},
        {"jarl-numbers.tsv", "0101\t札幌\tSapporo\tdeleted\tbefore 2001-02-30\tx\tJCC\n",
         "jarl-numbers.tsv:2: the last day is empty, YYYY-MM-DD or before YYYY-MM-DD"},
        {"jarl-numbers.tsv", "0101\t札幌\tSapporo\tcurrent\t\tx\tJCG\n",
         "jarl-numbers.tsv:2: a JCG number does not have 4"},
        {"jarl-numbers.tsv", "0101\t札幌\tSapporo\tdeleted\t2001-01-01\tx\tJCC\n",
         "jarl-numbers.tsv:2: 0101 is deleted here but current in the place list"},
        {"jarl-numbers.tsv", "0101\t札幌\tSapporo\tcurrent\t\tx\tJCC\n",
         "jarl-numbers.tsv: the place list's 01001 is missing"},
    };
    for (const Case& c : cases) {
        const bool history = c.file == "history.tsv";
        std::ofstream(dir / c.file) << (history ? header : jarlHeader) << c.lines;
        const std::string historyFile = history ? (dir / c.file).string() : source + "history.tsv";
        const std::string jarlFile = history ? source + "jarl-numbers.tsv" : (dir / c.file).string();
        const std::string command = std::string(ORVETTA_MKDICT) + " " + source + "edition.tsv " + source +
                                    "places.tsv " ORVETTA_SOURCE_DIR "/dict/prefectures.tsv " +
                                    (dir / "out.cpp").string() + " " + historyFile + " " + jarlFile + " 2>" +
                                    (dir / "err.txt").string();
        const int raw = std::system(command.c_str());
        std::stringstream err;
        err << std::ifstream(dir / "err.txt").rdbuf();
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << c.lines;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    fs::remove_all(dir);
}

}  // namespace
