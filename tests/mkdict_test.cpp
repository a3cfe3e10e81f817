// mkdict stops the build on a history that does not fit its list, naming the
// file and line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(Mkdict, RejectsAHistoryThatDoesNotFitTheList) {
    const fs::path dir = fs::temp_directory_path() / ("orvetta-mkdict-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string source = ORVETTA_SOURCE_DIR "/dict/current/";
    const std::string header = "date\tnumber\tchange\tdetail\n";
    struct Case {
        std::string lines, message;
    } cases[] = {
        {"2001-02-30\t1030\tcreated\tx\n", "history.tsv:2: not a valid date: 2001-02-30"},
        {"1998-04-01\t1030\tcreated\tx\n", "history.tsv:2: date outside the history"},
        {"2001-01-21\t1030\tcreated\tx\n2000-01-01\t1017\tended\tx\n", "history.tsv:3: dates must not go back"},
        {"2001-01-21\t9999\tcreated\tx\n", "history.tsv:2: number 9999 is not in the place list"},
        {"2001-01-21\t1017\tended\tmerged into 9998\n", "history.tsv:2: the detail names 9998"},
        {"2001-01-21\t1017\tmoved\tx\n", "history.tsv:2: the change is created, renamed or ended"},
        {"2001-01-21\t16003E\trenamed\t明和村 -> 明和町\n", "history.tsv:2: a rename reads"},
    };
    for (const Case& c : cases) {
        std::ofstream(dir / "history.tsv") << header << c.lines;
        const std::string command = std::string(ORVETTA_MKDICT) + " " + source + "edition.tsv " + source +
                                    "places.tsv " ORVETTA_SOURCE_DIR "/dict/prefectures.tsv " + (dir / "out.cpp").string() +
                                    " " + (dir / "history.tsv").string() + " 2>" + (dir / "err.txt").string();
        const int raw = std::system(command.c_str());
        std::stringstream err;
        err << std::ifstream(dir / "err.txt").rdbuf();
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << c.lines;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    fs::remove_all(dir);
}

}  // namespace
