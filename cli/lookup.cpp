// number, city and ward: one search, each line it appends printed.
#include <string>

#include "cli/command.h"
#include "cli/load.h"
#include "cli/output.h"
#include "cli/text.h"
#include "search/engine.h"
#include "search/result_line.h"
#include "search/romaji.h"
#include "text/sjis.h"

namespace orvetta::cli {
namespace {

enum class Field { Number, City, Ward };

int lookUp(const Options& options, const Edition& edition, Field field) {
    // TEXT is checked before anything is loaded.
    std::string text;
    if (options.sjis && argumentsAreBytes()) {
        text = options.words[1];
    } else if (!sjisFromUtf8(options.exact ? options.words[1] : withoutVowelMarks(options.words[1]), text)) {
        complainUsage("TEXT is not UTF-8 text that Shift-JIS can hold");
        return kExitUsage;
    }
    PlaceList places;
    if (const int status = loadPlaces(options, edition, places); status != kExitFound) return status;

    SearchRequest request;
    request.prefecturePosition = options.prefecture;
    request.areaPosition = options.area;
    request.searchMode = options.reading ? SearchMode::Reading : SearchMode::Kanji;
    request.exact = options.exact;
    request.language = options.english ? Language::English : Language::Japanese;
    switch (field) {
    case Field::Number:
        request.numberGiven = true;
        request.setNumberText(text.c_str());
        break;
    case Field::City:
        request.cityGiven = true;
        request.setCityText(text.c_str());
        break;
    case Field::Ward:
        request.wardGiven = true;
        request.setWardText(text.c_str());
        break;
    }
    ResultList results;
    int found = runSearch(places, request, results);
    Output out(options.sjis);
    for (int i = 0; i < results.count(); ++i) {
        out.write(results.line(i));
        out.endLine();
    }
    int status = kExitFound;
    if (found < 1) {
        complain(noMatchText(request.language));
        status = kExitNone;
    }
    releaseDictionary(places);
    return status;
}

}  // namespace

int runNumber(const Options& options, const Edition& edition) { return lookUp(options, edition, Field::Number); }
int runCity(const Options& options, const Edition& edition) { return lookUp(options, edition, Field::City); }
int runWard(const Options& options, const Edition& edition) { return lookUp(options, edition, Field::Ward); }

}  // namespace orvetta::cli
